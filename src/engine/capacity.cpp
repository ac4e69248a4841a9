#include "engine/breakdown.h"

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

// The first smallest, as std::min over the three in this order picks it.
Resistance governingResistance(double bySoil, double byShaftBody, double byHeadBody)
{
    Resistance governing = Resistance::Soil;
    double smallest = bySoil;
    if (byShaftBody < smallest) {
        governing = Resistance::ShaftBody;
        smallest = byShaftBody;
    }
    if (byHeadBody < smallest)
        governing = Resistance::HeadBody;
    return governing;
}

}  // namespace

CompositeTerms compositeTerms(const ProjectData& p, double pileCapacity)
{
    CompositeTerms t;
    t.pileCapacity = pileCapacity;
    t.replacementRatio = p.headDiameter * p.headDiameter
                         / (p.equivalentDiameter * p.equivalentDiameter);
    t.headArea = kQuarterPi * p.headDiameter * p.headDiameter;
    t.pileTerm = t.replacementRatio * pileCapacity / t.headArea;
    t.soilTerm = p.soilReduction * (1 - t.replacementRatio) * p.soilCapacity;
    t.capacity = t.pileTerm + t.soilTerm;
    return t;
}

double resistance(const CapacityTerms& terms, Resistance kind)
{
    switch (kind) {
    case Resistance::ShaftBody: return terms.byShaftBody;
    case Resistance::HeadBody: return terms.byHeadBody;
    default: return terms.bySoil;
    }
}

CapacityTerms capacityTerms(const ProjectData& p)
{
    const double headPerimeter = kPi * p.headDiameter;
    const double shaftPerimeter = kPi * p.shaftDiameter;
    const double headArea = kQuarterPi * p.headDiameter * p.headDiameter;
    const double shaftArea = kQuarterPi * p.shaftDiameter * p.shaftDiameter;

    CapacityTerms t;
    t.shaftArea = shaftArea;
    t.headFriction = headPerimeter * frictionSum(p.headFriction, p.headThickness, p.headLayerCount);
    t.shaftFriction =
        shaftPerimeter * frictionSum(p.shaftFriction, p.shaftThickness, p.shaftLayerCount);
    t.stepBearing = p.stepBearingFactor * p.stepBearing * (headArea - shaftArea);
    t.tipBearing = p.tipBearingFactor * p.tipBearing * shaftArea;

    t.bySoil = t.headFriction + t.shaftFriction + t.stepBearing + t.tipBearing;
    t.byShaftBody =
        p.shaftStrengthFactor * p.cubeStrength * shaftArea + t.headFriction + t.stepBearing;
    t.byHeadBody = p.headStrengthFactor * p.cubeStrength * headArea;
    t.governing = governingResistance(t.bySoil, t.byShaftBody, t.byHeadBody);
    t.composite = compositeTerms(p, resistance(t, t.governing));
    return t;
}

double ProjectData::computeCapacity()
{
    const CapacityTerms terms = capacityTerms(*this);
    pileCapacity = terms.composite.pileCapacity;
    return terms.composite.capacity;
}

double ProjectData::computeCapacityManual() const
{
    return compositeTerms(*this, manualPileCapacity).capacity;
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
