// One soil layer along the pile: its thickness and its characteristic side
// friction, with the part of the zone still to be covered by layers.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class FrictionLayerDialog;
}

class CFrictionLayerDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CFrictionLayerDialog(QWidget* parent = nullptr);
    ~CFrictionLayerDialog() override;

    // Accepts the layer only when it fits into the remaining thickness and,
    // for the last layer, fills it exactly.
    void accept() override;

    bool isLastLayer = false;
    bool isHeadZone = false;
    int layerNumber = 0;
    double totalThickness = 0;      // m, zone length rounded to 0.001
    double thickness = 0;           // m
    double friction = 0;            // kPa
    double remainingThickness = 0;  // m, rounded to 0.001

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnOK();

    std::unique_ptr<Ui::FrictionLayerDialog> ui_;
};
