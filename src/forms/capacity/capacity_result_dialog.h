// Shows the characteristic bearing capacities of a single pile and of the
// composite foundation.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class CapacityResultDialog;
}

class CCapacityResultDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCapacityResultDialog(QWidget* parent = nullptr);
    ~CCapacityResultDialog() override;

    double compositeCapacity = 0;   // kPa
    double singlePileCapacity = 0;  // kN

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::CapacityResultDialog> ui_;
};
