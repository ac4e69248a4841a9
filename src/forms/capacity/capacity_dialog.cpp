#include "forms/capacity/capacity_dialog.h"

#include "ui_capacity_dialog.h"

#include "forms/capacity/capacity_result_dialog.h"
#include "forms/capacity/friction_layer_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "forms/capacity/friction_zone.h"
#include "forms/capacity/pile_result_dialog.h"
#include "forms/profile/profile_window.h"
#include "forms/project_info/project_info_dialog.h"
#include "forms/stability/stability_button.h"
#include "forms/details/report_export.h"
#include "model/display_rounding.h"
#include "model/project_data.h"
#include "ui/layer_entry.h"
#include "ui/pile_inputs.h"
#include "ui/project_file_flow.h"

#include <QShowEvent>


namespace {
using input_faults::isShowableCapacity;
using input_faults::isShowableComposite;
}  // namespace

CCapacityDialog::CCapacityDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::CapacityDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    ui::setFormFont(this, 9);
    ui_->picture->load(QStringLiteral(":/capacity_piles.svg"));
    connectHandlers();
    // Beside the shaft's layer buttons, where the row has room; last in the
    // tab order.
    auto* profileButton = new QPushButton(QStringLiteral("土层剖面…"));
    profileButton->setObjectName(QStringLiteral("soilProfileButton"));
    ui_->shaftLayerButtons->addWidget(profileButton);
    setTabOrder(ui_->showShaftLayersButton, profileButton);
    connect(profileButton, &QPushButton::clicked, this, &CCapacityDialog::OnSoilProfile);
    // At the end of the head's layer buttons, above "土层剖面…", where the row
    // has room.
    ui_->headLayerButtons->addWidget(stability::stabilityButton(this));
}

CCapacityDialog::~CCapacityDialog() = default;

void CCapacityDialog::connectHandlers()
{
    connect(ui_->setHeadLayersButton, &QPushButton::clicked, this, &CCapacityDialog::OnSetHeadLayers);
    connect(ui_->setShaftLayersButton, &QPushButton::clicked, this, &CCapacityDialog::OnSetShaftLayers);
    connect(ui_->showHeadLayersButton, &QPushButton::clicked, this, &CCapacityDialog::OnShowHeadLayers);
    connect(ui_->showShaftLayersButton, &QPushButton::clicked, this, &CCapacityDialog::OnShowShaftLayers);
    connect(ui_->computePileButton, &QPushButton::clicked, this, &CCapacityDialog::OnComputePileCapacity);
    connect(ui_->computeCompositeButton, &QPushButton::clicked, this,
            &CCapacityDialog::OnComputeCompositeCapacity);
    connect(ui_->triangleRadio, &QRadioButton::clicked, this, &CCapacityDialog::OnLayoutTriangle);
    connect(ui_->squareRadio, &QRadioButton::clicked, this, &CCapacityDialog::OnLayoutSquare);
    connect(ui_->rectangleRadio, &QRadioButton::clicked, this, &CCapacityDialog::OnLayoutRectangle);
    connect(ui_->manualCapacityCheck, &QCheckBox::clicked, this, &CCapacityDialog::OnManualCapacity);
    connect(ui_->saveButton, &QPushButton::clicked, this, &CCapacityDialog::OnSaveFile);
    connect(ui_->loadButton, &QPushButton::clicked, this, &CCapacityDialog::OnLoadFile);
    connect(ui_->returnButton, &QPushButton::clicked, this, &CCapacityDialog::accept);
    addExportButton();
    addProjectInfoButton();
}

// First in the file buttons' row and, in the tab order, between the
// composite capacity and "载入文件", so that Tab follows the row.
void CCapacityDialog::addProjectInfoButton()
{
    QPushButton* button = projectInfoButton(this);
    ui_->fileButtons->insertWidget(0, button);
    setTabOrder(ui_->computeCompositeButton, button);
    setTabOrder(button, ui_->loadButton);
}

// Beside the file buttons, after the return button, where the row has room.
void CCapacityDialog::addExportButton()
{
    auto* button = new QPushButton(details::kExportReportCaption, this);
    button->setObjectName(QStringLiteral("exportReportButton"));
    button->setAutoDefault(false);
    ui_->fileButtons->insertWidget(ui_->fileButtons->indexOf(ui_->returnButton) + 1, button);
    connect(button, &QPushButton::clicked, this, &CCapacityDialog::OnExportReport);
}

// The report covers the whole record, so the form is applied first.
void CCapacityDialog::OnExportReport()
{
    if (ApplyToProject() != 0) {
        return;
    }
    details::exportReportInteractively(this, g_project);
}

void CCapacityDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->headDiameterEdit, headDiameter);
    dx.text(ui_->shaftDiameterEdit, shaftDiameter);
    dx.text(ui_->headLengthEdit, headLength);
    dx.text(ui_->pileLengthEdit, pileLength);
    dx.text(ui_->soilCapacityEdit, soilCapacity);
    dx.text(ui_->soilReductionEdit, soilReduction);
    dx.text(ui_->cubeStrengthEdit, cubeStrength);
    dx.text(ui_->headStrengthFactorEdit, headStrengthFactor);
    dx.text(ui_->shaftStrengthFactorEdit, shaftStrengthFactor);
    dx.text(ui_->stepBearingEdit, stepBearing);
    dx.text(ui_->tipBearingEdit, tipBearing);
    dx.text(ui_->stepBearingFactorEdit, stepBearingFactor);
    dx.text(ui_->tipBearingFactorEdit, tipBearingFactor);
    dx.text(ui_->triangleSpacingEdit, spacingTriangle);
    dx.text(ui_->squareSpacingEdit, spacingSquare);
    dx.text(ui_->longitudinalSpacingEdit, spacingLongitudinal);
    dx.text(ui_->transverseSpacingEdit, spacingTransverse);
    dx.text(ui_->headLayerCountEdit, headLayerCount);
    dx.text(ui_->shaftLayerCountEdit, shaftLayerCount);
    dx.radio({ui_->triangleRadio, ui_->squareRadio, ui_->rectangleRadio}, layout);
    dx.text(ui_->manualCapacityEdit, manualPileCapacity);
    dx.check(ui_->manualCapacityCheck, manualCapacityFlag);
}

void CCapacityDialog::showEvent(QShowEvent* event)
{
    ui::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnInitDialog();
    }
}

// The form opens on the record, with the spacing boxes and the manual
// capacity box enabled as the layout and the check box it shows ask for.
void CCapacityDialog::OnInitDialog()
{
    RefreshFromProject();
    enableBoxesForShownChoices();
    ui_->headDiameterEdit->setFocus();
    ui_->headDiameterEdit->selectAll();
}

void CCapacityDialog::RefreshFromProject()
{
    const ProjectData& p = g_project;
    headDiameter = p.headDiameter;
    shaftDiameter = p.shaftDiameter;
    headLength = p.headLength;
    pileLength = p.pileLength;
    soilCapacity = p.soilCapacity;
    soilReduction = p.soilReduction;
    cubeStrength = p.cubeStrength;
    headStrengthFactor = p.headStrengthFactor;
    shaftStrengthFactor = p.shaftStrengthFactor;
    stepBearing = p.stepBearing;
    tipBearing = p.tipBearing;
    stepBearingFactor = p.stepBearingFactor;
    tipBearingFactor = p.tipBearingFactor;
    headLayerCount = p.headLayerCount;
    shaftLayerCount = p.shaftLayerCount;
    manualCapacityFlag = p.manualCapacityFlag;
    layout = p.layoutType;
    spacingTriangle = p.spacingTriangle;
    spacingSquare = p.spacingSquare;
    spacingLongitudinal = p.spacingLongitudinal;
    spacingTransverse = p.spacingTransverse;
    manualPileCapacity = p.manualPileCapacity;
    showForm();
}

int CCapacityDialog::ApplyToProject()
{
    if (!readForm() || refused(ui::pileFault(headDiameter, shaftDiameter, headLength, pileLength,
                                             {headLayerCount, shaftLayerCount}))) {
        return -1;
    }
    ProjectData& p = g_project;
    p.headDiameter = headDiameter;
    p.shaftDiameter = shaftDiameter;
    p.headLength = headLength;
    p.pileLength = pileLength;
    p.soilCapacity = soilCapacity;
    p.soilReduction = soilReduction;
    p.cubeStrength = cubeStrength;
    p.headStrengthFactor = headStrengthFactor;
    p.shaftStrengthFactor = shaftStrengthFactor;
    p.stepBearing = stepBearing;
    p.tipBearing = tipBearing;
    p.stepBearingFactor = stepBearingFactor;
    p.tipBearingFactor = tipBearingFactor;
    p.headLayerCount = headLayerCount;
    p.shaftLayerCount = shaftLayerCount;
    p.equivalentDiameter = p.computeEquivalentDiameter(layout, spacingTriangle, spacingSquare,
                                                       spacingLongitudinal, spacingTransverse);
    p.manualCapacityFlag = manualCapacityFlag;
    p.layoutType = layout;
    p.spacingTriangle = spacingTriangle;
    p.spacingSquare = spacingSquare;
    p.spacingLongitudinal = spacingLongitudinal;
    p.spacingTransverse = spacingTransverse;
    p.manualPileCapacity = manualPileCapacity;
    return 0;
}

// The profile is split at the H and L the form shows; the form then shows
// the new layer counts and keeps its other values as typed.
void CCapacityDialog::OnSoilProfile()
{
    if (!readForm() || !openSoilProfile(this, {headDiameter, shaftDiameter, headLength, pileLength}))
        return;
    headLayerCount = g_project.headLayerCount;
    shaftLayerCount = g_project.shaftLayerCount;
    showForm();
}

void CCapacityDialog::OnSetHeadLayers()
{
    if (!readForm() || refused(ui::layerCountFault({headLayerCount}))) {
        return;
    }
    EnterFrictionLayers(true, headLength, headLayerCount);
}

void CCapacityDialog::OnSetShaftLayers()
{
    if (!readForm() || refused(ui::layerCountFault({shaftLayerCount}))) {
        return;
    }
    EnterFrictionLayers(false, pileLength - headLength, shaftLayerCount);
}

// One layer form serves every layer of the zone; each accepted layer goes
// straight into the record. Cancelling ends the entry without a word and
// keeps the layers accepted before.
void CCapacityDialog::EnterFrictionLayers(bool isHeadZone, double zoneLength, int layerCount)
{
    const FrictionZone zone = frictionZone(isHeadZone);
    CFrictionLayerDialog layerForm(this);
    layerForm.isHeadZone = isHeadZone;
    const bool entered = ui::enterZoneLayers(
        layerForm, zoneLength, layerCount,
        [&](int layer) {
            layerForm.thickness = zone.thickness[layer];
            layerForm.friction = zone.friction[layer];
        },
        [&](int layer) {
            zone.thickness[layer] = layerForm.thickness;
            zone.friction[layer] = layerForm.friction;
        });
    if (entered && !nearlyEqual(sumLayers(zone.thickness, layerCount), zoneLength)) {
        message(ui::kLayerHeightsWrong);
    }
}

void CCapacityDialog::OnShowHeadLayers()
{
    showLayerTable(true);
}

void CCapacityDialog::OnShowShaftLayers()
{
    showLayerTable(false);
}

void CCapacityDialog::showLayerTable(bool isHeadZone)
{
    if (ApplyToProject() != 0) {
        return;
    }
    CFrictionTableDialog table(this);
    table.isHeadZone = isHeadZone;
    table.exec();
}

// Both zones need layers, and the layers must fill H and L - H.
bool CCapacityDialog::layersFillBothZones()
{
    if (refused(ui::missingLayersFault(headLayerCount, shaftLayerCount))) {
        return false;
    }
    if (refused(ui::layerSumFault(g_project))) {
        return false;
    }
    return true;
}

void CCapacityDialog::OnComputePileCapacity()
{
    if (ApplyToProject() != 0 || !layersFillBothZones()) {
        return;
    }
    g_project.computeCapacity();
    if (!isShowableCapacity(g_project.pileCapacity)) {
        message(ui::kParametersWrong);
        return;
    }
    CPileResultDialog result(this);
    result.singlePileCapacity = round2(g_project.pileCapacity);
    result.exec();
}

void CCapacityDialog::OnComputeCompositeCapacity()
{
    if (ApplyToProject() != 0) {
        return;
    }
    if (refused(ui::spacingFault(g_project.equivalentDiameter))) {
        return;
    }
    if (manualCapacityFlag == 1) {
        computeCompositeFromManualCapacity();
    } else {
        computeCompositeFromLayers();
    }
}

// The typed single-pile capacity replaces the computed one: no layers needed,
// and the stored pileCapacity stays as it was.
void CCapacityDialog::computeCompositeFromManualCapacity()
{
    const double composite = g_project.computeCapacityManual();
    if (!isShowableComposite(composite)) {
        message(ui::kParametersWrong);
        return;
    }
    showCompositeResult(composite, manualPileCapacity);
}

void CCapacityDialog::computeCompositeFromLayers()
{
    if (!layersFillBothZones()) {
        return;
    }
    const double composite = g_project.computeCapacity();
    if (!isShowableComposite(composite) || !isShowableCapacity(g_project.pileCapacity)) {
        message(ui::kParametersWrong);
        return;
    }
    showCompositeResult(composite, round2(g_project.pileCapacity));
}

void CCapacityDialog::showCompositeResult(double composite, double singlePile)
{
    CCapacityResultDialog result(this);
    result.compositeCapacity = round2(composite);
    result.singlePileCapacity = singlePile;
    result.exec();
}

void CCapacityDialog::enableLayoutSpacings(int layoutType)
{
    ui::enableLayoutSpacings(layoutType, ui_->triangleSpacingEdit, ui_->squareSpacingEdit,
                             ui_->longitudinalSpacingEdit, ui_->transverseSpacingEdit);
}

void CCapacityDialog::OnLayoutTriangle()
{
    enableLayoutSpacings(kLayoutTriangle);
}

void CCapacityDialog::OnLayoutSquare()
{
    enableLayoutSpacings(kLayoutSquare);
}

void CCapacityDialog::OnLayoutRectangle()
{
    enableLayoutSpacings(kLayoutRectangle);
}

// Follows the check box itself, so that ticking it never depends on the
// other boxes being readable.
void CCapacityDialog::OnManualCapacity()
{
    ui_->manualCapacityEdit->setEnabled(ui_->manualCapacityCheck->isChecked());
}

void CCapacityDialog::enableBoxesForShownChoices()
{
    enableLayoutSpacings(layout);
    OnManualCapacity();
}

void CCapacityDialog::OnSaveFile()
{
    ui::saveProjectInteractively(this, [this] { return ApplyToProject() == 0; });
}

// A load replaces the record and then the form; it applies nothing.
void CCapacityDialog::OnLoadFile()
{
    if (!ui::loadProjectInteractively(this)) {
        return;
    }
    RefreshFromProject();
    enableBoxesForShownChoices();
}
