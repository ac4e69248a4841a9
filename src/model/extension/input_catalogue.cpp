#include "model/extension/input_catalogue.h"

#include "model/extension/layer_names.h"
#include "model/extension/project_info.h"
#include "model/extension/soil_property_limits.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace {

using P = ProjectData;

// A field of the record: a sweep and a section may vary every one.
constexpr InputEntry recordField(const char* name, const char* label, const char* symbol, const char* unit,
                       double P::*member, bool cutsLayerTables = false)
{
    return {.name = name, .label = label, .symbol = symbol, .unit = unit, .place = InputPlace::Record,
            .member = member, .sweepable = true, .sectionColumn = true, .cutsLayerTables = cutsLayerTables};
}

constexpr InputEntry kRecordFields[] = {
    recordField("headDiameter", "扩大头直径", "D", "m", &P::headDiameter),
    recordField("shaftDiameter", "下部桩径", "d", "m", &P::shaftDiameter),
    recordField("headLength", "扩大头高度", "H", "m", &P::headLength, true),
    recordField("pileLength", "桩长", "L", "m", &P::pileLength, true),
    recordField("cubeStrength", "无侧限抗压强度平均值", "fcu,k", "kPa", &P::cubeStrength),
    recordField("headStrengthFactor", "扩大头部分桩身强度折减系数", "η1", "", &P::headStrengthFactor),
    recordField("shaftStrengthFactor", "扩大头以下部分桩身强度折减系数", "η2", "", &P::shaftStrengthFactor),
    recordField("stepBearing", "变截面处地基土承载力特征值", "qpa", "kPa", &P::stepBearing),
    recordField("tipBearing", "桩端地基土承载力特征值", "qpb", "kPa", &P::tipBearing),
    recordField("stepBearingFactor", "变截面处天然地基土承载力折减系数", "α1", "", &P::stepBearingFactor),
    recordField("tipBearingFactor", "桩端天然地基土承载力折减系数", "α2", "", &P::tipBearingFactor),
    recordField("spacingTriangle", "等边三角形桩间距", "", "m", &P::spacingTriangle),
    recordField("spacingSquare", "正方形桩间距", "", "m", &P::spacingSquare),
    recordField("spacingLongitudinal", "矩形桩间距（纵）", "", "m", &P::spacingLongitudinal),
    recordField("spacingTransverse", "矩形桩间距（横）", "", "m", &P::spacingTransverse),
    recordField("soilCapacity", "处理后桩间土承载力特征值", "fsk", "kPa", &P::soilCapacity),
    recordField("soilReduction", "桩间土承载力折减系数", "β", "", &P::soilReduction),
    recordField("manualPileCapacity", "手动输入单桩承载力特征值", "Ra", "kN", &P::manualPileCapacity),
    recordField("embankmentHeight", "路基填土高度", "h", "m", &P::embankmentHeight),
    recordField("fillUnitWeight", "填土容重", "γ", "kN/m3", &P::fillUnitWeight),
    recordField("slopeN", "边坡坡度1:n", "", "", &P::slopeN),
    recordField("slopeM", "边坡坡度1:m", "", "", &P::slopeM),
    recordField("embankmentTopWidth", "填土顶宽", "B", "m", &P::embankmentTopWidth),
    recordField("headPileModulus", "扩大头桩体压缩模量", "Ep1", "MPa", &P::headPileModulus),
    recordField("shaftPileModulus", "下部桩体压缩模量", "Ep2", "MPa", &P::shaftPileModulus),
};

constexpr const char* kCvUnit = "10⁻³ cm²/s";

// A per-layer list is labelled by its property alone, as a stratum's value
// is: its zone tells the layers apart.
constexpr InputEntry cvList(const char* name, InputZone zone)
{
    return {.name = name, .label = "固结系数", .symbol = "cv", .unit = kCvUnit, .kind = InputKind::LayerList,
            .zone = zone, .allowed = isAllowedCv, .allowedText = kAllowedCv};
}

constexpr InputEntry cohesionList(const char* name, InputZone zone)
{
    return {.name = name, .label = "黏聚力", .symbol = "c", .unit = "kPa", .kind = InputKind::LayerList,
            .zone = zone, .allowed = isAllowedCohesion, .allowedText = kAllowedCohesion, .sweepable = true};
}

constexpr InputEntry frictionList(const char* name, InputZone zone)
{
    return {.name = name, .label = "内摩擦角", .symbol = "φ", .unit = "°", .kind = InputKind::LayerList,
            .zone = zone, .allowed = isAllowedFrictionAngle, .allowedText = kAllowedFrictionAngle,
            .sweepable = true};
}

// The inputs of the settlement against time, the post-construction demand,
// the bearing check under the tips and psiS; then those of the stability.
constexpr InputEntry kComputedKeys[] = {
    {.name = "ms", .label = "沉降系数", .symbol = "ms", .sectionColumn = true},
    cvList("cv.head", InputZone::Head),
    cvList("cv.shaft", InputZone::Shaft),
    cvList("cv.base", InputZone::Base),
    {.name = "bottomDrained", .label = "计算深度底面排水", .kind = InputKind::Code},
    {.name = "fill", .label = "填土过程", .kind = InputKind::Text, .sectionColumn = true},
    {.name = "pavementDay", .label = "路面完工", .unit = "天", .sweepable = true, .sectionColumn = true},
    {.name = "designPeriod", .label = "设计使用年限", .unit = "年", .sectionColumn = true},
    {.name = "fak.base", .label = "地基承载力特征值", .symbol = "fak", .unit = "kPa",
     .kind = InputKind::LayerList, .zone = InputZone::Base, .allowed = isAllowedFak, .allowedText = kAllowedFak},
    {.name = "etaD", .label = "深度修正系数", .symbol = "ηd", .sectionColumn = true},
    {.name = "roadClass", .label = "道路等级", .caption = "公路等级", .kind = InputKind::Code, .sectionColumn = true},
    {.name = "location", .label = "路段类型", .caption = "路段", .kind = InputKind::Code, .sectionColumn = true},
    {.name = "allowablePostConstruction", .label = "容许工后沉降", .caption = "容许工后沉降 (mm)",
     .symbol = "[s工后]", .unit = "mm", .sectionColumn = true},
    {.name = "psiS", .label = "沉降计算经验系数", .symbol = "ψs"},
    cohesionList("c.head", InputZone::Head),
    frictionList("phi.head", InputZone::Head),
    cohesionList("c.shaft", InputZone::Shaft),
    frictionList("phi.shaft", InputZone::Shaft),
    cohesionList("c.base", InputZone::Base),
    frictionList("phi.base", InputZone::Base),
    {.name = "c.fill", .label = "填土黏聚力", .caption = "填土的c", .symbol = "c", .unit = "kPa",
     .allowed = isAllowedCohesion, .allowedText = kAllowedCohesion, .sweepable = true, .sectionColumn = true},
    {.name = "phi.fill", .label = "填土内摩擦角", .caption = "填土的φ", .symbol = "φ", .unit = "°",
     .allowed = isAllowedFrictionAngle, .allowedText = kAllowedFrictionAngle, .sweepable = true, .sectionColumn = true},
    {.name = "pileShear", .label = "桩体抗剪强度", .symbol = "τp", .unit = "kPa", .sweepable = true,
     .sectionColumn = true},
    {.name = "treatedMargin", .label = "加固区超出坡脚的宽度", .caption = "加固区超出坡脚 (m)", .unit = "m",
     .sweepable = true, .sectionColumn = true, .signedValue = true},
    {.name = "stabilityRequired", .label = "稳定安全系数要求", .caption = "要求的安全系数[F]", .sectionColumn = true},
};

std::vector<InputEntry> catalogue()
{
    std::vector<InputEntry> entries(std::begin(kRecordFields), std::end(kRecordFields));
    for (const ProjectInfoField& field : kProjectInfoFields)
        entries.push_back({.name = field.key, .label = field.label, .kind = InputKind::Text});
    entries.insert(entries.end(), std::begin(kComputedKeys), std::end(kComputedKeys));
    const InputZone zones[] = {InputZone::Head, InputZone::Shaft, InputZone::Base};
    // Held for the life of the catalogue, which points at them.
    static const std::string layerNameLabels[] = {std::string(zoneName(zones[0])) + "各层土名",
                                                  std::string(zoneName(zones[1])) + "各层土名",
                                                  std::string(zoneName(zones[2])) + "各层土名"};
    for (int zone = 0; zone < 3; ++zone)
        entries.push_back({.name = kLayerNameKeys[zone], .label = layerNameLabels[zone].c_str(),
                           .kind = InputKind::Text, .zone = zones[zone]});
    InputEntry everyCv = cvList("cv", InputZone::Every);
    everyCv.place = InputPlace::SweepName;
    everyCv.sweepable = true;
    entries.push_back(everyCv);
    return entries;
}

}  // namespace

std::span<const InputEntry> inputCatalogue()
{
    static const std::vector<InputEntry> entries = catalogue();
    return entries;
}

std::span<const InputEntry> recordInputs() { return inputCatalogue().first(std::size(kRecordFields)); }

const InputEntry* findInput(std::string_view name)
{
    // Indexed once: the readers look inputs up at every point of a sweep.
    static const std::unordered_map<std::string_view, const InputEntry*> byName = [] {
        std::unordered_map<std::string_view, const InputEntry*> index;
        for (const InputEntry& e : inputCatalogue())
            index.emplace(e.name, &e);
        return index;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

const InputEntry& catalogued(std::string_view name) { return *findInput(name); }

std::string inputNoun(const InputEntry& input) { return std::string(input.label) + input.symbol; }

std::string inputTitle(const InputEntry& input)
{
    const std::string unit = *input.unit ? "（" + std::string(input.unit) + "）" : std::string();
    return inputNoun(input) + unit;
}

std::string inputCaption(const InputEntry& input)
{
    if (input.caption)
        return input.caption;
    if (input.kind == InputKind::LayerList)
        return std::string(zoneName(input.zone)) + "各层的" + input.symbol;
    return *input.unit ? inputNoun(input) + " (" + input.unit + ")" : inputNoun(input);
}

const char* zoneName(InputZone zone)
{
    switch (zone) {
    case InputZone::Head: return "扩大头段";
    case InputZone::Shaft: return "下部桩段";
    case InputZone::Base: return "桩端以下";
    default: return "";
    }
}

const char* zoneKeySuffix(InputZone zone)
{
    switch (zone) {
    case InputZone::Head: return "head";
    case InputZone::Shaft: return "shaft";
    case InputZone::Base: return "base";
    default: return "";
    }
}

int zoneLayerCount(const ProjectData& p, InputZone zone)
{
    switch (zone) {
    case InputZone::Head: return usedLayers(p.headLayerCount);
    case InputZone::Shaft: return usedLayers(p.shaftLayerCount);
    case InputZone::Base: return usedLayers(p.baseLayerCount);
    default: return 0;
    }
}
