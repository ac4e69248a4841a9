// Entry of one soil layer of a zone: thickness, compression modulus and unit
// weight, with the zone's total and remaining thickness beside them. One
// instance serves the whole layer-by-layer sequence of a zone.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class SoilLayerDialog;
}

class CSoilLayerDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CSoilLayerDialog(QWidget* parent = nullptr);
    ~CSoilLayerDialog() override;

    bool isLastLayer = false;  // once set, stays set for the sequence
    int zone = 0;              // 1 head, 2 shaft, 3 base
    double soilModulus = 0.0;
    double thickness = 0.0;
    double remainingThickness = 0.0;
    int layerNumber = 0;
    double totalThickness = 0.0;
    double unitWeight = 0.0;

    // The button "下一层" / "完成" and Enter.
    void accept() override;

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnOK();
    void ShowInfiniteLastLayer();

    std::unique_ptr<Ui::SoilLayerDialog> ui_;
};
