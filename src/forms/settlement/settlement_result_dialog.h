// Shows the computed settlement, already rounded by the caller.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class SettlementResultDialog;
}

class CSettlementResultDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CSettlementResultDialog(QWidget* parent = nullptr);
    ~CSettlementResultDialog() override;

    double settlement = 0.0;  // mm

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;
    // Enter in the box is the form's OK: read the box and close.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::SettlementResultDialog> ui_;
};
