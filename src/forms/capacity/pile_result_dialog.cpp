#include "forms/capacity/pile_result_dialog.h"

#include "ui_pile_result_dialog.h"

#include "forms/capacity/result_form.h"
#include "forms/details/details_button.h"

#include <QShowEvent>

CPileResultDialog::CPileResultDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::PileResultDialog>())
{
    ui_->setupUi(this);
    prepareResultForm(this, {ui_->pileCapacityEdit});
    details::addCapacityDetailsButton(this, ui_->buttonsLayout, 1, ui_->pileCapacityEdit,
                                      g_project);
}

CPileResultDialog::~CPileResultDialog() = default;

void CPileResultDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->pileCapacityEdit, singlePileCapacity);
}

void CPileResultDialog::showEvent(QShowEvent* event)
{
    ui::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        showForm();
        ui_->returnButton->setFocus();
    }
}
