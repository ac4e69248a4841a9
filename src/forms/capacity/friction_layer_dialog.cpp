#include "forms/capacity/friction_layer_dialog.h"

#include "ui_friction_layer_dialog.h"

#include "ui/layer_entry.h"

#include <QShowEvent>

CFrictionLayerDialog::CFrictionLayerDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::FrictionLayerDialog>())
{
    ui_->setupUi(this);
    ui::setFormFont(this, 9);
}

CFrictionLayerDialog::~CFrictionLayerDialog() = default;

void CFrictionLayerDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->layerNumberEdit, layerNumber);
    dx.text(ui_->totalThicknessEdit, totalThickness);
    dx.text(ui_->thicknessEdit, thickness);
    dx.text(ui_->frictionEdit, friction);
    dx.text(ui_->remainingThicknessEdit, remainingThickness);
}

// The same form is shown once per layer: every showing starts afresh from
// the values its opener has just set.
void CFrictionLayerDialog::showEvent(QShowEvent* event)
{
    ui::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnInitDialog();
    }
}

void CFrictionLayerDialog::OnInitDialog()
{
    showForm();
    ui_->nextButton->setText(isLastLayer ? QStringLiteral("完成") : QStringLiteral("下一层"));
    setWindowTitle(ui::sideLayerCaption(isHeadZone));
    ui_->thicknessEdit->setFocus();
    ui_->thicknessEdit->selectAll();
}

void CFrictionLayerDialog::accept()
{
    OnOK();
}

void CFrictionLayerDialog::OnOK()
{
    if (!readForm() || refused(ui::layerThicknessFault(thickness, remainingThickness, isLastLayer))) {
        return;
    }
    ui::Dialog::accept();
}
