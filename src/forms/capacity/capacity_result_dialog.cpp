#include "forms/capacity/capacity_result_dialog.h"

#include "ui_capacity_result_dialog.h"

#include "forms/capacity/result_form.h"
#include "forms/details/details_button.h"

#include <QShowEvent>

CCapacityResultDialog::CCapacityResultDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::CapacityResultDialog>())
{
    ui_->setupUi(this);
    prepareResultForm(this, {ui_->pileCapacityEdit, ui_->compositeCapacityEdit});
    details::addCapacityDetailsButton(this, ui_->buttonsLayout, 1,
                                      ui_->compositeCapacityEdit, g_project);
}

CCapacityResultDialog::~CCapacityResultDialog() = default;

void CCapacityResultDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->compositeCapacityEdit, compositeCapacity);
    dx.text(ui_->pileCapacityEdit, singlePileCapacity);
}

void CCapacityResultDialog::showEvent(QShowEvent* event)
{
    ui::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        showForm();
        ui_->returnButton->setFocus();
    }
}
