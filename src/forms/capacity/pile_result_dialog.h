// Shows the characteristic bearing capacity of a single pile.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class PileResultDialog;
}

class CPileResultDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPileResultDialog(QWidget* parent = nullptr);
    ~CPileResultDialog() override;

    double singlePileCapacity = 0;  // kN

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::PileResultDialog> ui_;
};
