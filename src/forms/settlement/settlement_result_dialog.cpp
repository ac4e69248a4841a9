#include "forms/settlement/settlement_result_dialog.h"

#include "ui_settlement_result_dialog.h"

#include "forms/consolidation/consolidation_button.h"
#include "forms/details/details_button.h"
#include "model/project_data.h"

#include <QKeyEvent>
#include <QShowEvent>

CSettlementResultDialog::CSettlementResultDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::SettlementResultDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui::setFormFont(this, 9);
    ui_->saveToFileButton->hide();
    details::addSettlementDetailsButton(this, ui_->buttons, 2, ui_->saveToFileButton,
                                        g_project);
    ui_->buttons->insertWidget(3, consolidation::consolidationButton(this));
    connect(ui_->returnButton, &QPushButton::clicked, this, &CSettlementResultDialog::reject);
}

CSettlementResultDialog::~CSettlementResultDialog() = default;

void CSettlementResultDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->settlementEdit, settlement);
}

void CSettlementResultDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        showForm();
        ui_->returnButton->setFocus(Qt::TabFocusReason);
    }
    ui::Dialog::showEvent(event);
}

void CSettlementResultDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = (event->key() == Qt::Key_Return && event->modifiers() == Qt::NoModifier) ||
                       (event->key() == Qt::Key_Enter && (event->modifiers() & ~Qt::KeypadModifier) == 0);
    if (enter) {
        accept();
        return;
    }
    ui::Dialog::keyPressEvent(event);
}
