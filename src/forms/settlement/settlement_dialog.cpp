#include "forms/settlement/settlement_dialog.h"

#include "forms/consolidation/consolidation_button.h"
#include "forms/details/report_export.h"
#include "forms/profile/profile_window.h"
#include "forms/project_info/project_info_dialog.h"
#include "forms/settlement/settlement_result_dialog.h"
#include "forms/stability/stability_button.h"
#include "forms/settlement/soil_table_dialog.h"
#include "model/display_rounding.h"
#include "model/project_data.h"
#include "ui/pile_inputs.h"
#include "ui/project_file_flow.h"
#include "ui_settlement_dialog.h"

#include <QShowEvent>


CSettlementDialog::CSettlementDialog(QWidget* parent)
    : ui::Dialog(parent), ui_(std::make_unique<Ui::SettlementDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui::setFormFont(this, 9);
    ui_->sectionPicture->load(QStringLiteral(":/settlement_embankment.svg"));
    EnableSpacingBoxes(kLayoutTriangle);

    Ui::SettlementDialog& u = *ui_;
    connect(u.computeSettlementButton, &QPushButton::clicked, this, &CSettlementDialog::OnComputeSettlement);
    connect(u.setHeadLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnSetHeadLayers);
    connect(u.setShaftLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnSetShaftLayers);
    connect(u.setBaseLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnSetBaseLayers);
    connect(u.showHeadLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnShowHeadLayers);
    connect(u.showShaftLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnShowShaftLayers);
    connect(u.showBaseLayersButton, &QPushButton::clicked, this, &CSettlementDialog::OnShowBaseLayers);
    connect(u.triangleRadio, &QRadioButton::clicked, this, &CSettlementDialog::OnLayoutTriangle);
    connect(u.squareRadio, &QRadioButton::clicked, this, &CSettlementDialog::OnLayoutSquare);
    connect(u.rectangleRadio, &QRadioButton::clicked, this, &CSettlementDialog::OnLayoutRectangle);
    connect(u.saveFileButton, &QPushButton::clicked, this, &CSettlementDialog::OnSaveFile);
    connect(u.loadFileButton, &QPushButton::clicked, this, &CSettlementDialog::OnLoadFile);
    connect(u.returnButton, &QPushButton::clicked, this, &CSettlementDialog::accept);
    // Left of the base zone's layer buttons, where the grid has room; last in
    // the tab order.
    auto* profileButton = new QPushButton(QStringLiteral("土层剖面…"));
    profileButton->setObjectName(QStringLiteral("soilProfileButton"));
    u.layerCountGrid->addWidget(profileButton, 5, 0, 1, 2, Qt::AlignRight);
    ui::fitButtonToText(profileButton);  // a gap to the export button in the same cell
    setTabOrder(u.showBaseLayersButton, profileButton);
    connect(profileButton, &QPushButton::clicked, this, &CSettlementDialog::OnSoilProfile);
    QPushButton* exportButton = AddExportButton(profileButton);
    // Above the export button, in the grid's free cell left of the shaft
    // zone's buttons; last in the tab order.
    QPushButton* infoButton = projectInfoButton(this);
    u.layerCountGrid->addWidget(infoButton, 3, 0, 1, 2, Qt::AlignLeft);
    setTabOrder(exportButton, infoButton);
    // In the grid's free cell left of the head zone's buttons.
    u.layerCountGrid->addWidget(consolidation::consolidationButton(this), 1, 0, 1, 2, Qt::AlignLeft);
    // Right of "工程信息…", in the room its cell has left.
    u.layerCountGrid->addWidget(stability::stabilityButton(this), 3, 0, 1, 2, Qt::AlignRight);
}

// The profile is split at the H and L the form shows; the form then shows
// the new layer counts and keeps its other values as typed.
void CSettlementDialog::OnSoilProfile()
{
    if (!readForm() || !openSoilProfile(this, {headDiameter, shaftDiameter, headLength, pileLength}))
        return;
    headLayerCount = g_project.headLayerCount;
    shaftLayerCount = g_project.shaftLayerCount;
    baseLayerCount = g_project.baseLayerCount;
    showForm();
}

// Under the layer counts, left of the base zone's buttons, where the grid
// has room without moving anything.
QPushButton* CSettlementDialog::AddExportButton(QWidget* tabPredecessor)
{
    auto* button = new QPushButton(details::kExportReportCaption, this);
    button->setObjectName(QStringLiteral("exportReportButton"));
    button->setAutoDefault(false);
    ui_->layerCountGrid->addWidget(button, 5, 0, 1, 2, Qt::AlignLeft);
    setTabOrder(tabPredecessor, button);
    connect(button, &QPushButton::clicked, this, &CSettlementDialog::OnExportReport);
    return button;
}

// The report covers the whole record, so the form is applied first.
void CSettlementDialog::OnExportReport()
{
    if (ApplyToProject() != 0)
        return;
    details::exportReportInteractively(this, g_project);
}

CSettlementDialog::~CSettlementDialog() = default;

void CSettlementDialog::exchange(ui::DataExchange& dx)
{
    Ui::SettlementDialog& u = *ui_;
    dx.text(u.topWidthEdit, embankmentTopWidth);
    dx.text(u.headDiameterEdit, headDiameter);
    dx.text(u.shaftDiameterEdit, shaftDiameter);
    dx.text(u.headLengthEdit, headLength);
    dx.text(u.pileLengthEdit, pileLength);
    dx.text(u.fillHeightEdit, embankmentHeight);
    dx.text(u.slopeMEdit, slopeM);
    dx.text(u.slopeNEdit, slopeN);
    dx.text(u.fillUnitWeightEdit, fillUnitWeight);
    dx.text(u.triangleSpacingEdit, spacingTriangle);
    dx.text(u.squareSpacingEdit, spacingSquare);
    dx.text(u.longitudinalSpacingEdit, spacingLongitudinal);
    dx.text(u.transverseSpacingEdit, spacingTransverse);
    dx.radio({u.triangleRadio, u.squareRadio, u.rectangleRadio}, layout);
    dx.text(u.headPileModulusEdit, headPileModulus);
    dx.text(u.shaftPileModulusEdit, shaftPileModulus);
    dx.text(u.headLayerCountEdit, headLayerCount);
    dx.text(u.shaftLayerCountEdit, shaftLayerCount);
    dx.text(u.baseLayerCountEdit, baseLayerCount);
    dx.radio({u.deformationRatioRadio, u.stressRatio02Radio, u.stressRatio01Radio}, criterion);
}

void CSettlementDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnInitDialog();
    ui::Dialog::showEvent(event);
}

// The spacing boxes follow the layout shown, so that a project saved with
// another layout opens with the boxes that belong to it.
void CSettlementDialog::OnInitDialog()
{
    showForm();
    RefreshFromProject();
    EnableSpacingBoxes(layout);
    ui_->fillHeightEdit->setFocus(Qt::TabFocusReason);
}

void CSettlementDialog::RefreshFromProject()
{
    const ProjectData& p = g_project;
    embankmentTopWidth = p.embankmentTopWidth;
    headDiameter = p.headDiameter;
    shaftDiameter = p.shaftDiameter;
    headLength = p.headLength;
    pileLength = p.pileLength;
    headLayerCount = p.headLayerCount;
    shaftLayerCount = p.shaftLayerCount;
    baseLayerCount = p.baseLayerCount;
    embankmentHeight = p.embankmentHeight;
    slopeM = p.slopeM;
    slopeN = p.slopeN;
    fillUnitWeight = p.fillUnitWeight;
    headPileModulus = p.headPileModulus;
    shaftPileModulus = p.shaftPileModulus;
    layout = p.layoutType;
    criterion = p.stopCriterion;
    spacingTriangle = p.spacingTriangle;
    spacingSquare = p.spacingSquare;
    spacingLongitudinal = p.spacingLongitudinal;
    spacingTransverse = p.spacingTransverse;
    showForm();
}

int CSettlementDialog::ApplyToProject()
{
    if (!readForm() ||
        refused(ui::pileFault(headDiameter, shaftDiameter, headLength, pileLength,
                              {headLayerCount, shaftLayerCount, baseLayerCount})) ||
        refused(ui::missingLayersFault(headLayerCount, shaftLayerCount)))
        return -1;

    ProjectData& p = g_project;
    p.headDiameter = headDiameter;
    p.shaftDiameter = shaftDiameter;
    p.headLength = headLength;
    p.pileLength = pileLength;
    p.headLayerCount = headLayerCount;
    p.shaftLayerCount = shaftLayerCount;
    p.baseLayerCount = baseLayerCount;
    p.embankmentTopWidth = embankmentTopWidth;
    p.embankmentHeight = embankmentHeight;
    p.slopeM = slopeM;
    p.slopeN = slopeN;
    p.fillUnitWeight = fillUnitWeight;
    p.headPileModulus = headPileModulus;
    p.shaftPileModulus = shaftPileModulus;

    p.equivalentDiameter = p.computeEquivalentDiameter(layout, spacingTriangle, spacingSquare,
                                                       spacingLongitudinal, spacingTransverse);
    if (refused(ui::spacingFault(p.equivalentDiameter)))
        return -1;

    p.layoutType = layout;
    p.stopCriterion = criterion;
    p.spacingTriangle = spacingTriangle;
    p.spacingSquare = spacingSquare;
    p.spacingLongitudinal = spacingLongitudinal;
    p.spacingTransverse = spacingTransverse;
    return 0;
}

// The settlement under the criterion the form applied; 0 when none is chosen.
double CSettlementDialog::SettlementByCriterion() const
{
    switch (criterion) {
    case kStopDeformationRatio:
        return g_project.settlementByDeformationRatio();
    case kStopStressRatio02:
        return g_project.settlementByStressRatio(0.2);
    case kStopStressRatio01:
        return g_project.settlementByStressRatio(0.1);
    default:
        return 0.0;
    }
}

void CSettlementDialog::OnComputeSettlement()
{
    if (ApplyToProject() != 0)
        return;
    const double settlement = SettlementByCriterion();
    if (!input_faults::isShowableSettlement(settlement)) {
        message(ui::kParametersWrong);
        return;
    }
    CSettlementResultDialog result(this);
    result.settlement = round2(settlement);
    result.exec();
}

int CSettlementDialog::ZoneLayerCount(int zone) const
{
    switch (zone) {
    case 1:
        return headLayerCount;
    case 2:
        return shaftLayerCount;
    default:
        return baseLayerCount;
    }
}

// The per-layer entry works on the form's values as read, not applied; a
// count the tables cannot hold stops it before the first layer.
void CSettlementDialog::SetZoneLayers(int zone)
{
    if (!readForm() || refused(ui::layerCountFault({ZoneLayerCount(zone)})))
        return;
    EnterZoneLayers(zone);
}

void CSettlementDialog::OnSetHeadLayers()
{
    SetZoneLayers(1);
}

void CSettlementDialog::OnSetShaftLayers()
{
    SetZoneLayers(2);
}

void CSettlementDialog::OnSetBaseLayers()
{
    SetZoneLayers(3);
}

// Reviewing a table applies the whole form first, as the table checks the
// layers against the record's H and L.
void CSettlementDialog::ShowZoneTable(int zone)
{
    if (ApplyToProject() != 0)
        return;
    CSoilTableDialog table(this);
    table.zone = zone;
    table.exec();
}

void CSettlementDialog::OnShowHeadLayers()
{
    ShowZoneTable(1);
}

void CSettlementDialog::OnShowShaftLayers()
{
    ShowZoneTable(2);
}

void CSettlementDialog::OnShowBaseLayers()
{
    ShowZoneTable(3);
}

void CSettlementDialog::EnableSpacingBoxes(int layoutType)
{
    ui::enableLayoutSpacings(layoutType, ui_->triangleSpacingEdit, ui_->squareSpacingEdit,
                             ui_->longitudinalSpacingEdit, ui_->transverseSpacingEdit);
}

void CSettlementDialog::OnLayoutTriangle()
{
    EnableSpacingBoxes(kLayoutTriangle);
}

void CSettlementDialog::OnLayoutSquare()
{
    EnableSpacingBoxes(kLayoutSquare);
}

void CSettlementDialog::OnLayoutRectangle()
{
    EnableSpacingBoxes(kLayoutRectangle);
}

void CSettlementDialog::OnSaveFile()
{
    ui::saveProjectInteractively(this, [this] { return ApplyToProject() == 0; });
}

void CSettlementDialog::OnLoadFile()
{
    if (!ui::loadProjectInteractively(this))
        return;
    RefreshFromProject();
    EnableSpacingBoxes(layout);
}
