#include "model/soil_profile.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

std::string stratumLabel(const SoilProfile& profile, size_t index)
{
    const std::string& name = profile[index].name;
    return "第" + std::to_string(index + 1) + "层" + (name.empty() ? "" : "“" + name + "”");
}

std::string lengthRefusal(double headLength, double pileLength)
{
    if (!(headLength > 0) || !std::isfinite(headLength))
        return "扩大头高度H应为大于0的有限数。";
    if (!(pileLength > headLength) || !std::isfinite(pileLength))
        return "桩长L应为大于扩大头高度H的有限数。";
    return {};
}

// Depths (m) of the stratum boundaries: tops[i] and bottoms[i] of stratum i,
// the last one unbounded.
struct Boundaries {
    std::vector<double> tops;
    std::vector<double> bottoms;
};

Boundaries boundariesOf(const SoilProfile& profile)
{
    Boundaries b;
    double depth = 0.0;
    for (size_t i = 0; i < profile.size(); ++i) {
        b.tops.push_back(depth);
        depth = i + 1 < profile.size() ? depth + profile[i].thickness : kUnbounded;
        b.bottoms.push_back(depth);
    }
    return b;
}

// Depths that cut the zone from `top` to `bottom` into layers: the zone's
// ends and the stratum bottoms between them, leaving out any cut closer than
// the tolerance to the one before, or to the zone's bottom.
std::vector<double> zoneCuts(const Boundaries& b, double top, double bottom)
{
    std::vector<double> cuts{top};
    for (double depth : b.bottoms)
        if (depth > top && depth < bottom && !nearlyEqual(depth, cuts.back()))
            cuts.push_back(depth);
    if (cuts.size() > 1 && nearlyEqual(bottom, cuts.back()))
        cuts.pop_back();
    cuts.push_back(bottom);
    return cuts;
}

// The stratum covering most of the layer from `top` to `bottom`.
size_t dominantStratum(const Boundaries& b, double top, double bottom)
{
    size_t best = 0;
    double bestOverlap = -1.0;
    for (size_t i = 0; i < b.tops.size(); ++i) {
        const double overlap = std::min(bottom, b.bottoms[i]) - std::max(top, b.tops[i]);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    return best;
}

// A layer that spans a whole stratum keeps the stratum's own thickness, so
// that it computes exactly as the same thickness typed into a form.
double layerThickness(const Boundaries& b, size_t stratum, const Stratum& s, double top, double bottom)
{
    if (bottom == kUnbounded)
        return kUnboundedLayerThickness;
    if (top == b.tops[stratum] && bottom == b.bottoms[stratum])
        return s.thickness;
    return bottom - top;
}

struct ZoneSplit {
    std::vector<Stratum> layers;
    std::string refusal;
};

ZoneSplit splitZone(const SoilProfile& profile, const Boundaries& b, double top, double bottom,
                    bool needsFriction, const char* zoneName)
{
    ZoneSplit zone;
    const std::vector<double> cuts = zoneCuts(b, top, bottom);
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        const size_t i = dominantStratum(b, cuts[k], cuts[k + 1]);
        if (needsFriction && !profile[i].friction) {
            zone.refusal = stratumLabel(profile, i) + "位于桩长范围内，但没有侧摩阻力qs。";
            return zone;
        }
        Stratum layer = profile[i];
        layer.thickness = layerThickness(b, i, profile[i], cuts[k], cuts[k + 1]);
        zone.layers.push_back(std::move(layer));
    }
    if (zone.layers.size() > static_cast<size_t>(kMaxLayers))
        zone.refusal = std::string(zoneName) + "分为" + std::to_string(zone.layers.size())
                       + "层，超过每区最多" + std::to_string(kMaxLayers) + "层。";
    return zone;
}

struct ZoneTables {
    LayerTable& thickness;
    LayerTable* friction;
    LayerTable& soilModulus;
    LayerTable& unitWeight;
    int& count;
};

void store(const std::vector<Stratum>& layers, ZoneTables tables)
{
    tables.count = static_cast<int>(layers.size());
    for (size_t k = 0; k < layers.size(); ++k) {
        const Stratum& layer = layers[k];
        tables.thickness[k + 1] = layer.thickness;
        if (tables.friction)
            (*tables.friction)[k + 1] = layer.friction.value_or(0.0);
        tables.soilModulus[k + 1] = layer.soilModulus;
        tables.unitWeight[k + 1] = layer.unitWeight;
    }
}

void appendZone(SoilProfile& profile, const LayerTable& thickness, const LayerTable* friction,
                const LayerTable& soilModulus, const LayerTable& unitWeight, int count)
{
    for (int k = 1; k <= usedLayers(count); ++k) {
        Stratum layer{{}, thickness[k], friction ? std::optional((*friction)[k]) : std::nullopt,
                      soilModulus[k], unitWeight[k]};
        Stratum* above = profile.empty() ? nullptr : &profile.back();
        if (above && above->friction == layer.friction && above->soilModulus == layer.soilModulus
            && above->unitWeight == layer.unitWeight) {
            above->thickness += layer.thickness;
            continue;
        }
        layer.name = "土层" + std::to_string(profile.size() + 1);
        profile.push_back(std::move(layer));
    }
}

}  // namespace

std::string profileRefusal(const SoilProfile& profile)
{
    if (profile.empty())
        return "剖面中没有土层。";
    for (size_t i = 0; i < profile.size(); ++i) {
        const Stratum& s = profile[i];
        if (!(s.thickness > 0) || !std::isfinite(s.thickness))
            return stratumLabel(profile, i) + "的层厚应为大于0的有限数。";
        if (s.friction && !std::isfinite(*s.friction))
            return stratumLabel(profile, i) + "的侧摩阻力不是有限数。";
        if (!std::isfinite(s.soilModulus))
            return stratumLabel(profile, i) + "的压缩模量不是有限数。";
        if (!std::isfinite(s.unitWeight))
            return stratumLabel(profile, i) + "的重度不是有限数。";
    }
    return {};
}

ProfileSplit splitProfile(const SoilProfile& profile, double headLength, double pileLength)
{
    ProfileSplit split;
    split.refusal = profileRefusal(profile);
    if (split.refusal.empty())
        split.refusal = lengthRefusal(headLength, pileLength);
    if (!split.refusal.empty())
        return split;

    const Boundaries b = boundariesOf(profile);
    const ZoneSplit zones[] = {
        splitZone(profile, b, 0.0, headLength, true, "扩大头范围（0～H）的土层"),
        splitZone(profile, b, headLength, pileLength, true, "下部桩体范围（H～L）的土层"),
        splitZone(profile, b, pileLength, kUnbounded, false, "桩端以下的土层"),
    };
    for (const ZoneSplit& zone : zones)
        if (!zone.refusal.empty()) {
            split.refusal = zone.refusal;
            return split;
        }
    split.zones = {zones[0].layers, zones[1].layers, zones[2].layers};
    return split;
}

std::string applyProfile(const SoilProfile& profile, ProjectData& r)
{
    const ProfileSplit split = splitProfile(profile, r.headLength, r.pileLength);
    if (!split.refusal.empty())
        return split.refusal;
    store(split.zones.head, {r.headThickness, &r.headFriction, r.headSoilModulus, r.headUnitWeight,
                             r.headLayerCount});
    store(split.zones.shaft, {r.shaftThickness, &r.shaftFriction, r.shaftSoilModulus,
                              r.shaftUnitWeight, r.shaftLayerCount});
    store(split.zones.base, {r.baseThickness, nullptr, r.baseSoilModulus, r.baseUnitWeight,
                             r.baseLayerCount});
    return {};
}

SoilProfile profileFromRecord(const ProjectData& r)
{
    SoilProfile profile;
    appendZone(profile, r.headThickness, &r.headFriction, r.headSoilModulus, r.headUnitWeight,
               r.headLayerCount);
    appendZone(profile, r.shaftThickness, &r.shaftFriction, r.shaftSoilModulus, r.shaftUnitWeight,
               r.shaftLayerCount);
    appendZone(profile, r.baseThickness, nullptr, r.baseSoilModulus, r.baseUnitWeight,
               r.baseLayerCount);
    return profile;
}
