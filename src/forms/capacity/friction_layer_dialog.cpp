#include "forms/capacity/friction_layer_dialog.h"

#include "ui_friction_layer_dialog.h"

#include "model/project_data.h"

#include <QShowEvent>

namespace {
const QString kThickerThanRemaining = QStringLiteral("该层土厚度不应大于剩余厚度，请检查后重新输入！");
const QString kLastLayerMustFill = QStringLiteral("最后一层土的厚度应该等于剩余厚度，请检查后重新输入！");
}  // namespace

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
    setWindowTitle(isHeadZone ? QStringLiteral("扩大头范围内桩周土参数输入")
                              : QStringLiteral("下部桩体范围内桩周土参数输入"));
    ui_->thicknessEdit->setFocus();
    ui_->thicknessEdit->selectAll();
}

void CFrictionLayerDialog::accept()
{
    OnOK();
}

void CFrictionLayerDialog::OnOK()
{
    if (!readForm()) {
        return;
    }
    if (thickness > remainingThickness && !nearlyEqual(thickness, remainingThickness)) {
        message(kThickerThanRemaining);
        return;
    }
    if (isLastLayer && !nearlyEqual(thickness, remainingThickness)) {
        message(kLastLayerMustFill);
        return;
    }
    ui::Dialog::accept();
}
