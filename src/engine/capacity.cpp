#include "model/project_data.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kQuarterPi = 0.7853981633974483;

double frictionSum(const LayerTable& friction, const LayerTable& thickness, int count)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i)
        sum += friction[i] * thickness[i];
    return sum;
}

// fspk = m Ra / Ap + beta (1 - m) fsk with m = D^2/de^2 and Ap the head's section.
double compositeCapacity(const ProjectData& p, double pileCapacity)
{
    const double m = p.headDiameter * p.headDiameter
                     / (p.equivalentDiameter * p.equivalentDiameter);
    const double headArea = kQuarterPi * p.headDiameter * p.headDiameter;
    return m * pileCapacity / headArea + p.soilReduction * (1 - m) * p.soilCapacity;
}

}  // namespace

double ProjectData::computeCapacity()
{
    const double headPerimeter = kPi * headDiameter;
    const double shaftPerimeter = kPi * shaftDiameter;
    const double headArea = kQuarterPi * headDiameter * headDiameter;
    const double shaftArea = kQuarterPi * shaftDiameter * shaftDiameter;

    const double headFrictionForce =
        headPerimeter * frictionSum(headFriction, headThickness, headLayerCount);
    const double shaftFrictionForce =
        shaftPerimeter * frictionSum(shaftFriction, shaftThickness, shaftLayerCount);
    const double stepForce = stepBearingFactor * stepBearing * (headArea - shaftArea);
    const double tipForce = tipBearingFactor * tipBearing * shaftArea;

    const double bySoil = headFrictionForce + shaftFrictionForce + stepForce + tipForce;
    const double byShaftBody =
        shaftStrengthFactor * cubeStrength * shaftArea + headFrictionForce + stepForce;
    const double byHeadBody = headStrengthFactor * cubeStrength * headArea;

    pileCapacity = std::min({bySoil, byShaftBody, byHeadBody});
    return compositeCapacity(*this, pileCapacity);
}

double ProjectData::computeCapacityManual() const
{
    return compositeCapacity(*this, manualPileCapacity);
}

double ProjectData::computeEquivalentDiameter(int layout, double triangle, double square,
                                              double longitudinal, double transverse) const
{
    switch (layout) {
    case kLayoutTriangle: return 1.05 * triangle;
    case kLayoutSquare: return 1.13 * square;
    case kLayoutRectangle: return 1.13 * std::sqrt(longitudinal * transverse);
    default: return equivalentDiameter;
    }
}

void ProjectData::deriveEquivalentDiameter()
{
    equivalentDiameter = computeEquivalentDiameter(layoutType, spacingTriangle, spacingSquare,
                                                   spacingLongitudinal, spacingTransverse);
}
