// The form where the engineer enters the pile body, the soil around and
// between the piles and the pile layout, and from which the single-pile and
// the composite-foundation characteristic capacities are computed.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class CapacityDialog;
}

class CCapacityDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCapacityDialog(QWidget* parent = nullptr);
    ~CCapacityDialog() override;

    // Reads the form, checks the geometry and the layer counts and copies the
    // form's values into g_project, deriving the equivalent diameter from the
    // layout. 0 when applied, -1 when refused (the user has been told why).
    int ApplyToProject();
    // Copies g_project into the form's values and shows them.
    void RefreshFromProject();

    // Layout radio group: 0 triangle, 1 square, 2 rectangle, -1 none checked.
    int layout = -1;

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void OnSetHeadLayers();
    void OnSetShaftLayers();
    void OnShowHeadLayers();
    void OnShowShaftLayers();
    void OnComputePileCapacity();
    void OnComputeCompositeCapacity();
    void OnLayoutTriangle();
    void OnLayoutSquare();
    void OnLayoutRectangle();
    void OnManualCapacity();
    void OnSaveFile();
    void OnLoadFile();
    void OnSoilProfile();
    void OnExportReport();

private:
    void connectHandlers();
    void addExportButton();
    void addProjectInfoButton();
    void OnInitDialog();
    void enableLayoutSpacings(int layoutType);
    void enableBoxesForShownChoices();
    bool layersFillBothZones();
    void EnterFrictionLayers(bool isHeadZone, double zoneLength, int layerCount);
    void showLayerTable(bool isHeadZone);
    void computeCompositeFromManualCapacity();
    void computeCompositeFromLayers();
    void showCompositeResult(double composite, double singlePile);

    std::unique_ptr<Ui::CapacityDialog> ui_;

    double headDiameter = 0;
    double shaftDiameter = 0;
    double headLength = 0;
    double pileLength = 0;
    double soilCapacity = 0;
    double soilReduction = 0;
    double cubeStrength = 0;
    double headStrengthFactor = 0;
    double shaftStrengthFactor = 0;
    double stepBearing = 0;
    double tipBearing = 0;
    double stepBearingFactor = 0;
    double tipBearingFactor = 0;
    double spacingTriangle = 0;
    double spacingSquare = 0;
    double spacingLongitudinal = 0;
    double spacingTransverse = 0;
    int headLayerCount = 0;
    int shaftLayerCount = 0;
    double manualPileCapacity = 0;
    int manualCapacityFlag = 0;
};
