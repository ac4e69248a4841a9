// The Bishop calculation of slip circles on one side of a section, for the
// search that tries thousands of them: the section is seen with the side
// under study on the right (the left side mirrored), and the slices of each
// circle are cut into buffers kept from one circle to the next.
#pragma once

#include "engine/slip_circle.h"

#include <vector>

class SlipFrame {
public:
    SlipFrame(const StabilitySection& section, Side side);

    // The factor of a circle given in the section's own coordinates, or
    // nothing when it is not admitted.
    std::optional<double> factor(const SlipCircle& circle, int sliceCount = kStabilitySliceCount);
    // The same with where the arc meets the surface and every slice.
    std::optional<CircleFactor> details(const SlipCircle& circle, int sliceCount = kStabilitySliceCount);

private:
    struct Slice {
        double x, width, base, weight;
        double sinAlpha, cosAlpha;
        double c, tanPhi;
        bool reinforced;
    };

    double surface(double x) const;
    // The layer at a depth below the surface, the last one below its bottom.
    const GroundLayer& layerAt(double depth) const;
    double groundWeightAbove(double depth) const;
    // The sliding mass [a, b] of the circle (frame coordinates), or false.
    bool slidingMass(const SlipCircle& circle, double& a, double& b);
    void cutSlices(const SlipCircle& circle, double a, double b, int sliceCount);
    Slice slice(const SlipCircle& circle, double left, double right) const;
    std::optional<double> solve() const;
    double mirrored(double x) const { return side_ == Side::Left ? -x : x; }

    const StabilitySection& section_;
    Side side_;
    double leftToe_, crestLeft_, crestRight_, rightToe_;
    double treatedLeft_, treatedRight_;
    std::vector<double> weightAtTop_;  // kN/m2 of the ground above each layer's top
    std::vector<double> boundaries_;   // strengthBoundaries
    std::vector<double> points_;       // scratch: crossings and cuts
    std::vector<Slice> slices_;
};
