// A drawing of a soil profile beside its table: the strata as coloured bands
// with their names, depth downward from the pile tops, and one T-shaped pile
// drawn to the same scale at its head diameter D, shaft diameter d, head
// height H and length L (m).
#pragma once

#include "model/soil_profile.h"

#include <QWidget>

struct PileShape {
    double headDiameter = 0;   // D (m)
    double shaftDiameter = 0;  // d (m)
    double headLength = 0;     // H (m)
    double pileLength = 0;     // L (m)
};

class ProfileDrawing : public QWidget {
    Q_OBJECT
public:
    explicit ProfileDrawing(const PileShape& pile, QWidget* parent = nullptr);

    void setProfile(const SoilProfile& profile);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double drawnDepth() const;
    void drawStrata(QPainter& painter, double scale) const;
    void drawPile(QPainter& painter, double scale) const;

    PileShape pile_;
    SoilProfile profile_;
};
