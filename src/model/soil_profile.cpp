#include "model/soil_profile.h"

#include "model/extension/layer_names.h"
#include "model/extension/input_catalogue.h"
#include "model/file_numbers.h"
#include "model/file_reasons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

std::string stratumLabel(const SoilProfile& profile, size_t index)
{
    const std::string& name = profile[index].name;
    return "第" + std::to_string(index + 1) + "层" + (name.empty() ? "" : quotedToken(name));
}

std::string lengthRefusal(double headLength, double pileLength)
{
    if (!(headLength > 0) || !std::isfinite(headLength))
        return "扩大头高度H应为大于0的有限数。";
    if (!(pileLength > headLength) || !std::isfinite(pileLength))
        return "桩长L应为大于扩大头高度H的有限数。";
    return {};
}

// A property of the strata that the split stores in the zones' per-layer
// lists of the extension block, under the key of each zone it applies to;
// its words and bounds are those of its lists in the input catalogue.
struct StratumProperty {
    std::optional<double> Stratum::*value;
    const char* zoneKeys[3];  // head, shaft, base; null where it does not apply
};

constexpr StratumProperty kProperties[] = {
    {&Stratum::cv, {"cv.head", "cv.shaft", "cv.base"}},
    {&Stratum::fak, {nullptr, nullptr, "fak.base"}},
    {&Stratum::cohesion, {"c.head", "c.shaft", "c.base"}},
    {&Stratum::frictionAngle, {"phi.head", "phi.shaft", "phi.base"}},
};

std::string propertyFault(const Stratum& s)
{
    // Looked up once: a sweep of L checks the profile's strata at every point.
    static const std::array<const InputEntry*, std::size(kProperties)> lists = [] {
        std::array<const InputEntry*, std::size(kProperties)> found{};
        for (std::size_t k = 0; k < found.size(); ++k)
            found[k] = &catalogued(kProperties[k].zoneKeys[2]);
        return found;
    }();
    for (std::size_t k = 0; k < lists.size(); ++k) {
        const std::optional<double>& value = s.*kProperties[k].value;
        const InputEntry& list = *lists[k];
        if (value && !list.allowed(*value))
            return "的" + inputNoun(list) + "应为" + list.allowedText + "。";
    }
    return {};
}

// Why a stratum's values cannot be those of a layer: the layer forms compute
// with thicknesses, side frictions, moduli and unit weights above 0 (a
// modulus of 0 or below would give an infinite or negative settlement).
std::string stratumFault(const Stratum& s)
{
    if (!(s.thickness > 0) || !std::isfinite(s.thickness))
        return "的层厚应为大于0的有限数。";
    if (s.friction && !std::isfinite(*s.friction))
        return "的侧摩阻力不是有限数。";
    if (s.friction && !(*s.friction > 0))
        return "的侧摩阻力qs应大于0（没有侧摩阻力时留空）。";
    if (!std::isfinite(s.soilModulus))
        return "的压缩模量不是有限数。";
    if (!(s.soilModulus > 0))
        return "的压缩模量Es应大于0。";
    if (!std::isfinite(s.unitWeight))
        return "的重度不是有限数。";
    if (!(s.unitWeight > 0))
        return "的重度γ应大于0。";
    return propertyFault(s);
}

// The strata of the zone from `top` to `bottom`: those from `first` up to,
// not including, `last`.
struct StrataRange {
    size_t first;
    size_t last;
};

// Depths that cut the zone from `top` to `bottom` into layers: the zone's
// ends and the stratum bottoms between them, leaving out any cut closer than
// the tolerance to the one before, or to the zone's bottom.
std::vector<double> zoneCuts(const std::vector<double>& bottoms, StrataRange strata, double top, double bottom)
{
    std::vector<double> cuts{top};
    for (size_t i = strata.first; i < strata.last; ++i) {
        const double depth = bottoms[i];
        if (depth > top && depth < bottom && !nearlyEqual(depth, cuts.back()))
            cuts.push_back(depth);
    }
    if (cuts.size() > 1 && nearlyEqual(bottom, cuts.back()))
        cuts.pop_back();
    cuts.push_back(bottom);
    return cuts;
}

}  // namespace

struct ProfileSplitter::Strata {
    SoilProfile profile;
    std::string refusal;
    // Depths (m) of the stratum boundaries: tops[i] and bottoms[i] of stratum
    // i, the last one unbounded. Both ascend, as every thickness is > 0.
    std::vector<double> tops;
    std::vector<double> bottoms;

    // The strata that overlap the zone from `top` to `bottom`.
    StrataRange overlapping(double top, double bottom) const
    {
        const auto first = std::upper_bound(bottoms.begin(), bottoms.end(), top);
        const auto last = std::lower_bound(tops.begin(), tops.end(), bottom);
        return {static_cast<size_t>(first - bottoms.begin()),
                std::max(static_cast<size_t>(first - bottoms.begin()), static_cast<size_t>(last - tops.begin()))};
    }

    // The stratum covering most of the layer from `top` to `bottom` (the
    // first of equals).
    size_t dominant(double top, double bottom) const
    {
        const StrataRange range = overlapping(top, bottom);
        size_t best = range.first;
        double bestOverlap = -1.0;
        for (size_t i = range.first; i < range.last; ++i) {
            const double overlap = std::min(bottom, bottoms[i]) - std::max(top, tops[i]);
            if (overlap > bestOverlap) {
                best = i;
                bestOverlap = overlap;
            }
        }
        return best;
    }

    // A layer that spans a whole stratum keeps the stratum's own thickness,
    // so that it computes exactly as the same thickness typed into a form.
    double layerThickness(size_t stratum, double top, double bottom) const
    {
        if (bottom == kUnbounded)
            return kUnboundedLayerThickness;
        if (top == tops[stratum] && bottom == bottoms[stratum])
            return profile[stratum].thickness;
        return bottom - top;
    }
};

namespace {

struct ZoneSplit {
    std::vector<Stratum> layers;
    std::string refusal;
};

std::string tooManyLayers(const char* zoneName, size_t count)
{
    return std::string(zoneName) + "分为" + std::to_string(count) + "层，超过每区最多"
           + std::to_string(kMaxLayers) + "层。";
}

ZoneSplit splitZone(const ProfileSplitter::Strata& strata, double top, double bottom, bool needsFriction,
                    const char* zoneName)
{
    ZoneSplit zone;
    const std::vector<double> cuts = zoneCuts(strata.bottoms, strata.overlapping(top, bottom), top, bottom);
    if (cuts.size() - 1 > static_cast<size_t>(kMaxLayers)) {
        zone.refusal = tooManyLayers(zoneName, cuts.size() - 1);
        return zone;
    }
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        const size_t i = strata.dominant(cuts[k], cuts[k + 1]);
        if (needsFriction && !strata.profile[i].friction) {
            zone.refusal = stratumLabel(strata.profile, i) + "位于桩长范围内，但没有侧摩阻力qs。";
            return zone;
        }
        Stratum layer = strata.profile[i];
        layer.thickness = strata.layerThickness(i, cuts[k], cuts[k + 1]);
        zone.layers.push_back(std::move(layer));
    }
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

// The per-layer list of a property in a zone: one item per layer, empty
// for a layer without the value; empty when no layer has one.
std::string layerList(const std::vector<Stratum>& layers, std::optional<double> Stratum::*value)
{
    std::string list;
    bool given = false;
    for (size_t k = 0; k < layers.size(); ++k) {
        const std::optional<double>& v = layers[k].*value;
        list += (k > 0 ? "," : "") + (v ? formatFileNumber(*v) : std::string());
        given = given || v.has_value();
    }
    return given ? list : std::string();
}

bool profileGives(const SoilProfile& profile, std::optional<double> Stratum::*value)
{
    return std::any_of(profile.begin(), profile.end(), [value](const Stratum& s) { return (s.*value).has_value(); });
}

// The layers' names and the properties the profile gives, in the record's
// extension block.
void storeProperties(const SoilProfile& profile, const ZoneLayers& zones, ProjectExtension& extension)
{
    const std::vector<Stratum>* layers[] = {&zones.head, &zones.shaft, &zones.base};
    for (int zone = 0; zone < 3; ++zone) {
        std::vector<std::string> names;
        for (const Stratum& layer : *layers[zone])
            names.push_back(layer.name);
        extension.set(kLayerNameKeys[zone], layerNamesValue(names));
    }
    for (const StratumProperty& property : kProperties) {
        if (!profileGives(profile, property.value))
            continue;
        for (int zone = 0; zone < 3; ++zone)
            if (property.zoneKeys[zone])
                extension.set(property.zoneKeys[zone], layerList(*layers[zone], property.value));
    }
}

void appendZone(SoilProfile& profile, const LayerTable& thickness, const LayerTable* friction,
                const LayerTable& soilModulus, const LayerTable& unitWeight, int count,
                const std::vector<std::string>& names)
{
    for (int k = 1; k <= usedLayers(count); ++k) {
        const std::string name = static_cast<size_t>(k) <= names.size() ? names[k - 1] : std::string();
        Stratum layer{name, thickness[k], friction ? std::optional((*friction)[k]) : std::nullopt,
                      soilModulus[k], unitWeight[k]};
        Stratum* above = profile.empty() ? nullptr : &profile.back();
        if (above && above->friction == layer.friction && above->soilModulus == layer.soilModulus
            && above->unitWeight == layer.unitWeight && (name.empty() || above->name == name)) {
            above->thickness += layer.thickness;
            continue;
        }
        if (layer.name.empty())
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
        if (const std::string fault = stratumFault(profile[i]); !fault.empty())
            return stratumLabel(profile, i) + fault;
    }
    return {};
}

ProfileSplitter::ProfileSplitter(SoilProfile profile)
{
    auto strata = std::make_shared<Strata>();
    strata->refusal = profileRefusal(profile);
    strata->profile = std::move(profile);
    if (strata->refusal.empty()) {
        double depth = 0.0;
        for (size_t i = 0; i < strata->profile.size(); ++i) {
            strata->tops.push_back(depth);
            depth = i + 1 < strata->profile.size() ? depth + strata->profile[i].thickness : kUnbounded;
            strata->bottoms.push_back(depth);
        }
    }
    strata_ = std::move(strata);
}

const std::string& ProfileSplitter::refusal() const { return strata_->refusal; }

ProfileSplit ProfileSplitter::split(double headLength, double pileLength) const
{
    ProfileSplit split;
    split.refusal = strata_->refusal;
    if (split.refusal.empty())
        split.refusal = lengthRefusal(headLength, pileLength);
    if (!split.refusal.empty())
        return split;

    const ZoneSplit zones[] = {
        splitZone(*strata_, 0.0, headLength, true, "扩大头范围（0～H）的土层"),
        splitZone(*strata_, headLength, pileLength, true, "下部桩体范围（H～L）的土层"),
        splitZone(*strata_, pileLength, kUnbounded, false, "桩端以下的土层"),
    };
    for (const ZoneSplit& zone : zones)
        if (!zone.refusal.empty()) {
            split.refusal = zone.refusal;
            return split;
        }
    split.zones = {zones[0].layers, zones[1].layers, zones[2].layers};
    return split;
}

std::string ProfileSplitter::apply(ProjectData& r) const
{
    const ProfileSplit split = this->split(r.headLength, r.pileLength);
    if (!split.refusal.empty())
        return split.refusal;
    store(split.zones.head, {r.headThickness, &r.headFriction, r.headSoilModulus, r.headUnitWeight,
                             r.headLayerCount});
    store(split.zones.shaft, {r.shaftThickness, &r.shaftFriction, r.shaftSoilModulus,
                              r.shaftUnitWeight, r.shaftLayerCount});
    store(split.zones.base, {r.baseThickness, nullptr, r.baseSoilModulus, r.baseUnitWeight,
                             r.baseLayerCount});
    storeProperties(strata_->profile, split.zones, r.extension);
    return {};
}

ProfileSplit splitProfile(const SoilProfile& profile, double headLength, double pileLength)
{
    return ProfileSplitter(profile).split(headLength, pileLength);
}

std::string applyProfile(const SoilProfile& profile, ProjectData& record)
{
    return ProfileSplitter(profile).apply(record);
}

SoilProfile profileFromRecord(const ProjectData& r)
{
    SoilProfile profile;
    const auto names = [&r](int zone) { return layerNamesOf(r.extension.value(kLayerNameKeys[zone])); };
    appendZone(profile, r.headThickness, &r.headFriction, r.headSoilModulus, r.headUnitWeight,
               r.headLayerCount, names(0));
    appendZone(profile, r.shaftThickness, &r.shaftFriction, r.shaftSoilModulus, r.shaftUnitWeight,
               r.shaftLayerCount, names(1));
    appendZone(profile, r.baseThickness, nullptr, r.baseSoilModulus, r.baseUnitWeight,
               r.baseLayerCount, names(2));
    return profile;
}
