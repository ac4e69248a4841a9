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
// Bounds the work of one settlement calculation for absurdly thick layers:
// beyond this many slices in all the settlement is not a number rather than
// a calculation that never ends. The fuzzer's build lowers the bound, so that
// its many inputs of absurdly thick layers reach it in microseconds; a real
// project (piles up to some 30 m, base layers to a few tens of metres) takes
// a few hundred slices, the examples at most 152.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr long kMaxSlices = 1'000;
#else
inline constexpr long kMaxSlices = 1'000'000;
#endif
inline constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

enum class LayerEnd { Done, Stopped, Runaway };

// Passes each slice of [top, top + thickness] to onSlice(a, b), which returns
// true to stop, taking each from slicesLeft. A layer not thicker than the
// step is one slice.
template <class OnSlice>
LayerEnd sliceLayer(double top, double thickness, double step, long& slicesLeft, OnSlice&& onSlice)
{
    const double bottom = top + thickness;
    double start = top;
    double end = top + step;
    for (;; start = end, end += step) {
        if (slicesLeft <= 0)
            return LayerEnd::Runaway;
        --slicesLeft;
        if (!(bottom > end))
            return onSlice(start, bottom) ? LayerEnd::Stopped : LayerEnd::Done;
        if (onSlice(start, end))
            return LayerEnd::Stopped;
    }
}

inline double embankmentLoad(const ProjectData& p) { return p.fillUnitWeight * p.embankmentHeight; }

// Esp = (1 - m) Es + m Ep of a layer reinforced by piles covering m of the
// plan area (MPa).
inline double compositeModulus(double soilModulus, double pileModulus, double replacement)
{
    return (1 - replacement) * soilModulus + replacement * pileModulus;
}

// The replacement ratio m = d^2 / de^2 of piles of diameter d.
inline double replacementRatio(const ProjectData& p, double pileDiameter)
{
    return pileDiameter * pileDiameter / (p.equivalentDiameter * p.equivalentDiameter);
}

enum class Zone { Head, Shaft, Base };

// The stop test after a base slice: the value compared with its limit.
struct StopCheck {
    double value;
    double limit;
    bool stops;
};

// Sees every step of a calculation; the default sees nothing and costs
// nothing once inlined. slice() gets the slice's settlement s (mm) and the
// total from the pile tops down to it.
struct NoObserver {
    void slice(Zone, int /*layer*/, double /*a*/, double /*b*/, double /*factor*/,
               double /*modulus*/, double /*s*/, double /*cumulative*/) {}
    void stopTest(double /*selfWeight*/, const StopCheck&) {}
    void zones(double /*head*/, double /*shaft*/, double /*base*/) {}
    void end(LayerEnd) {}
};

// Settlement of a zone reinforced by piles covering `replacement` of the plan
// area: each layer takes the composite modulus (1 - m) Es + m Ep. `above` is
// the settlement of the zones above, for the running total.
template <class StressFactor, class Observer>
double reinforcedZone(Zone zone, const LayerTable& thickness, const LayerTable& soilModulus,
                      int count, double top, double pileModulus, double replacement, double load,
                      double above, long& slicesLeft, StressFactor& stress, Observer& observe)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i) {
        const double modulus = compositeModulus(soilModulus[i], pileModulus, replacement);
        const LayerEnd end = sliceLayer(top, thickness[i], kReinforcedStep, slicesLeft, [&](double a, double b) {
            const double factor = stress((a + b) / 2);
            const double s = factor * (b - a) * load / modulus;
            sum += s;
            observe.slice(zone, i, a, b, factor, modulus, s, above + sum);
            return false;
        });
        if (end == LayerEnd::Runaway) {
            observe.end(end);
            return kNotANumber;
        }
        top += thickness[i];
    }
    return sum;
}

inline double selfWeightStress(const LayerTable& unitWeight, const LayerTable& thickness, int count)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i)
        sum += unitWeight[i] * thickness[i];
    return sum;
}

// Self-weight stress (kPa) of the head and shaft zones' soil at the tips.
inline double selfWeightAtTips(const ProjectData& p)
{
    return selfWeightStress(p.headUnitWeight, p.headThickness, p.headLayerCount)
           + selfWeightStress(p.shaftUnitWeight, p.shaftThickness, p.shaftLayerCount);
}

// Head and shaft zones, then the base zone slice by slice until
// stopAfter(a, b, layer, total settlement so far, self-weight stress at b)
// says the depth is reached or the base layers run out.
template <class StressFactor, class StopTest, class Observer>
double settlement(const ProjectData& p, StressFactor& stress, StopTest&& stopAfter,
                  Observer& observe)
{
    const double load = embankmentLoad(p);
    const double headReplacement = replacementRatio(p, p.headDiameter);
    const double shaftReplacement = replacementRatio(p, p.shaftDiameter);
    long slicesLeft = kMaxSlices;
    const double head = reinforcedZone(Zone::Head, p.headThickness, p.headSoilModulus,
                                       p.headLayerCount, 0.0, p.headPileModulus, headReplacement,
                                       load, 0.0, slicesLeft, stress, observe);
    const double shaft = reinforcedZone(Zone::Shaft, p.shaftThickness, p.shaftSoilModulus,
                                        p.shaftLayerCount, p.headLength, p.shaftPileModulus,
                                        shaftReplacement, load, head, slicesLeft, stress, observe);
    double base = 0.0;
    double selfWeight = selfWeightAtTips(p);
    double top = p.pileLength;
    LayerEnd end = LayerEnd::Done;
    for (int k = 1; k <= usedLayers(p.baseLayerCount) && end == LayerEnd::Done; ++k) {
        const double modulus = p.baseSoilModulus[k];
        end = sliceLayer(top, p.baseThickness[k], kBaseStep, slicesLeft, [&](double a, double b) {
            const double factor = stress((a + b) / 2);
            const double s = factor * (b - a) * load / modulus;
            base += s;
            selfWeight += p.baseUnitWeight[k] * (b - a);
            const double total = head + shaft + base;
            observe.slice(Zone::Base, k, a, b, factor, modulus, s, total);
            const StopCheck check = stopAfter(b, k, total, selfWeight);
            observe.stopTest(selfWeight, check);
            return check.stops;
        });
        top += p.baseThickness[k];
    }
    observe.zones(head, shaft, base);
    observe.end(end);
    return end == LayerEnd::Runaway ? kNotANumber : head + shaft + base;
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
template <class StressFactor, class Observer = NoObserver>
double byDeformationRatio(const ProjectData& p, StressFactor&& stress, Observer&& observe = {})
{
    const double dz = checkLayerThickness(p.embankmentTopWidth);
    const double load = embankmentLoad(p);
    return settlement(
        p, stress,
        [&](double b, int k, double total, double) {
            const double checkLayer = stress(b - dz / 2) * (load / p.baseSoilModulus[k]) * dz;
            const double limit = 0.025 * total;
            return StopCheck{checkLayer, limit, checkLayer <= limit};
        },
        observe);
}

// Stops once the additional stress at the slice end is below `ratio` times
// the soil's self-weight stress there (equality goes on).
template <class StressFactor, class Observer = NoObserver>
double byStressRatio(const ProjectData& p, double ratio, StressFactor&& stress,
                     Observer&& observe = {})
{
    const double load = embankmentLoad(p);
    return settlement(
        p, stress,
        [&](double b, int, double, double selfWeight) {
            const double additional = stress(b) * load;
            const double limit = ratio * selfWeight;
            return StopCheck{additional, limit, additional < limit};
        },
        observe);
}

}  // namespace layered_settlement
