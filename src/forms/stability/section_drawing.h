// The cross-section of the "稳定验算" window drawn to scale (one scale for
// both axes): the strata of the three zones, the fill trapezoid, the piles of
// the reinforced zone with their heads, and, once computed, each side's
// critical slip circle with its sliding mass.
#pragma once

#include "engine/stability.h"

#include <QWidget>

#include <optional>

namespace stability {

class SectionDrawing : public QWidget {
    Q_OBJECT
public:
    explicit SectionDrawing(QWidget* parent = nullptr);

    // The section of a record and its reinforced zone (x bounds, m), without
    // circles; `project` must outlive the drawing.
    void showSection(const ProjectData& project, double treatedLeft, double treatedRight);
    void showCircles(const StabilityResult& result);
    void clearCircles();

    int pilesDrawn() const { return static_cast<int>(pileXs_.size()); }
    int circlesDrawn() const { return result_ ? 2 : 0; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Stratum {
        double top, bottom;  // depth below the ground surface (m)
        QString name;
        int zone;
    };

    QRectF extent() const;
    double surfaceY(double x) const;
    void placePiles(double treatedLeft, double treatedRight);

    const ProjectData* project_ = nullptr;
    std::vector<Stratum> strata_;
    std::vector<double> pileXs_;
    double treatedLeft_ = 0, treatedRight_ = 0;
    std::optional<StabilityResult> result_;
};

}  // namespace stability
