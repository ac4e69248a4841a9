// Layered summation of the settlement under the embankment centreline, with
// the stress coefficient passed in, so that the benchmark can count and time
// the coefficient's evaluations apart from the summation around them.
//
// Depth z (m) runs down from the pile tops. The head zone spans 0..H, the
// shaft zone H..L, the base zone (untreated soil) starts at L. Each layer is
// cut into slices of 0.1 m (reinforced zones) or 1.0 m (base zone), the step
// end advancing by repeated addition from the layer's own top. A slice [a, b]
// of modulus E (MPa) adds I((a + b)/2) (b - a) p0 / E mm, p0 = gamma h (kPa).
#pragma once

#include "model/project_data.h"

#include <limits>

namespace layered_settlement {

inline constexpr double kReinforcedStep = 0.1;
inline constexpr double kBaseStep = 1.0;
// Bounds the work for absurdly thick layers: beyond this the settlement is
// not a number rather than a calculation that never ends.
inline constexpr long kMaxSlicesPerLayer = 1'000'000;
inline constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

enum class LayerEnd { Done, Stopped, Runaway };

// Passes each slice of [top, top + thickness] to onSlice(a, b), which returns
// true to stop. A layer not thicker than the step is one slice.
template <class OnSlice>
LayerEnd sliceLayer(double top, double thickness, double step, OnSlice&& onSlice)
{
    const double bottom = top + thickness;
    double start = top;
    double end = top + step;
    for (long slices = 0; bottom > end; ++slices) {
        if (slices == kMaxSlicesPerLayer)
            return LayerEnd::Runaway;
        if (onSlice(start, end))
            return LayerEnd::Stopped;
        start = end;
        end += step;
    }
    return onSlice(start, bottom) ? LayerEnd::Stopped : LayerEnd::Done;
}

inline double embankmentLoad(const ProjectData& p) { return p.fillUnitWeight * p.embankmentHeight; }

// Settlement of a zone reinforced by piles covering `replacement` of the plan
// area: each layer takes the composite modulus (1 - m) Es + m Ep.
template <class StressFactor>
double reinforcedZone(const LayerTable& thickness, const LayerTable& soilModulus, int count,
                      double top, double pileModulus, double replacement, double load,
                      StressFactor& stress)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i) {
        const double modulus = (1 - replacement) * soilModulus[i] + replacement * pileModulus;
        const LayerEnd end = sliceLayer(top, thickness[i], kReinforcedStep, [&](double a, double b) {
            sum += stress((a + b) / 2) * (b - a) * load / modulus;
            return false;
        });
        if (end == LayerEnd::Runaway)
            return kNotANumber;
        top += thickness[i];
    }
    return sum;
}

// Head and shaft zones, then the base zone slice by slice until
// stopAfter(a, b, layer, total settlement so far) says the depth is reached
// or the base layers run out.
template <class StressFactor, class StopTest>
double settlement(const ProjectData& p, StressFactor& stress, StopTest&& stopAfter)
{
    const double load = embankmentLoad(p);
    const double de2 = p.equivalentDiameter * p.equivalentDiameter;
    const double headReplacement = p.headDiameter * p.headDiameter / de2;
    const double shaftReplacement = p.shaftDiameter * p.shaftDiameter / de2;
    const double head = reinforcedZone(p.headThickness, p.headSoilModulus, p.headLayerCount, 0.0,
                                       p.headPileModulus, headReplacement, load, stress);
    const double shaft = reinforcedZone(p.shaftThickness, p.shaftSoilModulus, p.shaftLayerCount,
                                        p.headLength, p.shaftPileModulus, shaftReplacement, load,
                                        stress);
    double base = 0.0;
    double top = p.pileLength;
    for (int k = 1; k <= usedLayers(p.baseLayerCount); ++k) {
        const double modulus = p.baseSoilModulus[k];
        const LayerEnd end = sliceLayer(top, p.baseThickness[k], kBaseStep, [&](double a, double b) {
            base += stress((a + b) / 2) * (b - a) * load / modulus;
            return stopAfter(a, b, k, head + shaft + base);
        });
        if (end == LayerEnd::Runaway)
            return kNotANumber;
        if (end == LayerEnd::Stopped)
            break;
        top += p.baseThickness[k];
    }
    return head + shaft + base;
}

// Thickness (m) of the check layer of the deformation-ratio criterion.
inline double checkLayerThickness(double crestWidth)
{
    if (crestWidth <= 2)
        return 0.3;
    if (crestWidth <= 4)
        return 0.6;
    if (crestWidth <= 8)
        return 0.8;
    return 1.0;
}

// Stops once the check layer just above the slice end settles no more than
// 0.025 of the total (equality stops).
template <class StressFactor>
double byDeformationRatio(const ProjectData& p, StressFactor&& stress)
{
    const double dz = checkLayerThickness(p.embankmentTopWidth);
    const double load = embankmentLoad(p);
    return settlement(p, stress, [&](double, double b, int k, double total) {
        const double checkLayer = stress(b - dz / 2) * (load / p.baseSoilModulus[k]) * dz;
        return checkLayer <= 0.025 * total;
    });
}

inline double selfWeightStress(const LayerTable& unitWeight, const LayerTable& thickness, int count)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i)
        sum += unitWeight[i] * thickness[i];
    return sum;
}

// Stops once the additional stress at the slice end is below `ratio` times
// the soil's self-weight stress there (equality goes on).
template <class StressFactor>
double byStressRatio(const ProjectData& p, double ratio, StressFactor&& stress)
{
    const double load = embankmentLoad(p);
    double selfWeight = selfWeightStress(p.headUnitWeight, p.headThickness, p.headLayerCount)
                        + selfWeightStress(p.shaftUnitWeight, p.shaftThickness, p.shaftLayerCount);
    return settlement(p, stress, [&](double a, double b, int k, double) {
        selfWeight += p.baseUnitWeight[k] * (b - a);
        return stress(b) * load < ratio * selfWeight;
    });
}

}  // namespace layered_settlement
