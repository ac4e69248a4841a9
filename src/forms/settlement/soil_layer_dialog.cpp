#include "forms/settlement/soil_layer_dialog.h"

#include "ui/layer_entry.h"
#include "ui_soil_layer_dialog.h"

#include <QShowEvent>

namespace {

// Thickness of the last base-zone layer: in effect unbounded, so that the
// termination criterion ends the summation inside it.
constexpr double kInfiniteThickness = 1000.0;

QString zoneCaption(int zone)
{
    switch (zone) {
    case 1:
    case 2:
        return ui::sideLayerCaption(zone == 1);
    case 3:
        return QStringLiteral("桩端下部未加固土层参数输入");
    default:
        return {};
    }
}

// The totals frame keeps its size in the base zone, where its boxes are hidden.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

CSoilLayerDialog::CSoilLayerDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::SoilLayerDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui::setFormFont(this, 9);
    ui_->infiniteThicknessEdit->hide();
    keepPlaceWhenHidden(ui_->totalThicknessEdit);
    keepPlaceWhenHidden(ui_->remainingThicknessEdit);
    connect(ui_->nextLayerButton, &QPushButton::clicked, this, &CSoilLayerDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CSoilLayerDialog::reject);
}

CSoilLayerDialog::~CSoilLayerDialog() = default;

void CSoilLayerDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->soilModulusEdit, soilModulus);
    dx.text(ui_->thicknessEdit, thickness);
    dx.text(ui_->remainingThicknessEdit, remainingThickness);
    dx.text(ui_->layerNumberEdit, layerNumber);
    dx.text(ui_->totalThicknessEdit, totalThickness);
    dx.text(ui_->unitWeightEdit, unitWeight);
}

void CSoilLayerDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnInitDialog();
    ui::Dialog::showEvent(event);
}

// Runs at every showing of the sequence, as each layer is a new showing.
void CSoilLayerDialog::OnInitDialog()
{
    showForm();
    if (isLastLayer)
        ui_->nextLayerButton->setText(QStringLiteral("完成"));
    const QString caption = zoneCaption(zone);
    if (!caption.isEmpty())
        setWindowTitle(caption);
    if (zone == 3) {
        ui_->totalThicknessEdit->hide();
        ui_->remainingThicknessEdit->hide();
        if (isLastLayer)
            ShowInfiniteLastLayer();
    }
    QWidget* first = ui_->thicknessEdit->isHidden() ? ui_->soilModulusEdit : ui_->thicknessEdit;
    first->setFocus(Qt::TabFocusReason);
}

// The last layer below the tips is not typed: it is 1000 m, shown as "无穷大".
void CSoilLayerDialog::ShowInfiniteLastLayer()
{
    ui_->thicknessEdit->hide();
    thickness = kInfiniteThickness;
    ui_->infiniteThicknessEdit->setText(QStringLiteral("无穷大"));
    ui_->infiniteThicknessEdit->show();
    showForm();
}

void CSoilLayerDialog::accept()
{
    OnOK();
}

void CSoilLayerDialog::OnOK()
{
    if (zone == 3) {
        ui::Dialog::accept();
        return;
    }
    if (!readForm() || refused(ui::layerThicknessFault(thickness, remainingThickness, isLastLayer)))
        return;
    QDialog::accept();
}
