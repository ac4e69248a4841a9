// The settlement input form: the embankment, the pile geometry and moduli,
// the pile layout, the soil layers of the three zones and the criterion that
// ends the calculation depth. Computes the settlement on the centreline of
// the embankment, and saves or loads the whole project.
#pragma once

#include "ui/dialog.h"

#include <memory>

class QPushButton;

namespace Ui {
class SettlementDialog;
}

class CSettlementDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CSettlementDialog(QWidget* parent = nullptr);
    ~CSettlementDialog() override;

    // 0 triangle, 1 square, 2 rectangle, -1 when no layout is checked.
    int layout = 0;

    // Reads and checks the form, then copies it into g_project with the
    // equivalent diameter its layout gives. 0 when applied, -1 when refused
    // (the user has been told why).
    int ApplyToProject();
    // Shows what g_project holds.
    void RefreshFromProject();

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnComputeSettlement();
    void OnSetHeadLayers();
    void OnSetShaftLayers();
    void OnSetBaseLayers();
    void OnShowHeadLayers();
    void OnShowShaftLayers();
    void OnShowBaseLayers();
    void OnLayoutTriangle();
    void OnLayoutSquare();
    void OnLayoutRectangle();
    void OnSaveFile();
    void OnLoadFile();
    void OnSoilProfile();
    void OnExportReport();
    QPushButton* AddExportButton(QWidget* tabPredecessor);

    void SetZoneLayers(int zone);
    void EnterZoneLayers(int zone);
    void EnterSideZoneLayers(int zone);
    void EnterBaseZoneLayers();
    void ShowZoneTable(int zone);
    void EnableSpacingBoxes(int layoutType);
    int ZoneLayerCount(int zone) const;
    double SettlementByCriterion() const;

    double embankmentTopWidth = 0.0;  // B
    double headDiameter = 0.0;        // D
    double shaftDiameter = 0.0;       // d
    double headLength = 0.0;          // H
    double pileLength = 0.0;          // L
    double embankmentHeight = 0.0;    // h
    double slopeM = 0.0;
    double slopeN = 0.0;
    double fillUnitWeight = 0.0;
    double spacingTriangle = 0.0;
    double spacingSquare = 0.0;
    double spacingLongitudinal = 0.0;
    double spacingTransverse = 0.0;
    double headPileModulus = 0.0;   // Ep1
    double shaftPileModulus = 0.0;  // Ep2
    int headLayerCount = 0;         // n1
    int shaftLayerCount = 0;        // n2
    int baseLayerCount = 0;         // n3
    int criterion = -1;             // kStop..., -1 when none is checked

    std::unique_ptr<Ui::SettlementDialog> ui_;
};
