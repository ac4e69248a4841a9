// The embankment's stability by the simplified Bishop method: the factor of
// the reported circles against a calculation of their own, the search
// against a fine family of circles, how the reinforcement raises the factor,
// the refusals of the inputs, and the JSON of the command line.
#include "cli_run.h"
#include "engine/stability.h"
#include "model/file_numbers.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

// Strengths of the worked example's layers (one head, two shaft, three base)
// and of its fill, the pile body and the reinforced zone, as typed.
struct Ground {
    std::vector<double> cHead{15}, phiHead{10}, cShaft{6, 20}, phiShaft{3, 12};
    std::vector<double> cBase{30, 35, 40}, phiBase{18, 20, 22};
    double cFill = 15, phiFill = 28;
    double pileShear = 120;
    double treatedMargin = 0;
};

std::string listOf(const std::vector<double>& values)
{
    std::string text;
    for (double v : values)
        text += (text.empty() ? "" : ",") + formatFileNumber(v);
    return text;
}

// The worked example (de derived) with the ground's strengths in its extension.
ProjectData withGround(const Ground& g, const Settings& more = {})
{
    ProjectData p = settlementExample();
    p.deriveEquivalentDiameter();
    const Settings keys = {{"c.head", listOf(g.cHead)},       {"phi.head", listOf(g.phiHead)},
                           {"c.shaft", listOf(g.cShaft)},     {"phi.shaft", listOf(g.phiShaft)},
                           {"c.base", listOf(g.cBase)},       {"phi.base", listOf(g.phiBase)},
                           {"c.fill", formatFileNumber(g.cFill)}, {"phi.fill", formatFileNumber(g.phiFill)},
                           {"pileShear", formatFileNumber(g.pileShear)},
                           {"treatedMargin", formatFileNumber(g.treatedMargin)}};
    for (const Settings* settings : {&keys, &more})
        for (const auto& [key, value] : *settings)
            p.extension.set(key, value);
    return p;
}

// The simplified Bishop factor of a circle worked out here on its own: 20,000
// even slices across the circle, the columns above the arc weighed layer by
// layer, F iterated from 1.
double independentFactor(const ProjectData& p, const Ground& g, double q, const SlipCircle& circle, Side side)
{
    const double b = p.embankmentTopWidth, h = p.embankmentHeight;
    const double leftToe = -b / 2 - p.slopeM * h, rightToe = b / 2 + p.slopeN * h;
    const auto surface = [&](double x) {
        return std::clamp(std::min((x - leftToe) / p.slopeM, (rightToe - x) / p.slopeN), 0.0, h);
    };
    struct Layer {
        double top, bottom, gamma, c, phi, m;
    };
    std::vector<Layer> layers;
    const double de2 = p.equivalentDiameter * p.equivalentDiameter;
    double top = 0;
    const auto add = [&](const LayerTable& t, const LayerTable& gamma, int n, const std::vector<double>& c,
                         const std::vector<double>& phi, double m) {
        for (int i = 1; i <= n; ++i) {
            layers.push_back({top, top + t[i], gamma[i], c[i - 1], phi[i - 1], m});
            top += t[i];
        }
    };
    add(p.headThickness, p.headUnitWeight, p.headLayerCount, g.cHead, g.phiHead, p.headDiameter * p.headDiameter / de2);
    add(p.shaftThickness, p.shaftUnitWeight, p.shaftLayerCount, g.cShaft, g.phiShaft,
        p.shaftDiameter * p.shaftDiameter / de2);
    add(p.baseThickness, p.baseUnitWeight, p.baseLayerCount, g.cBase, g.phiBase, 0);
    const double rad = std::acos(-1.0) / 180;
    const int n = 20000;
    const double width = 2 * circle.radius / n;
    std::vector<double> weight, sinAlpha, cosAlpha, c, tanPhi;
    for (int i = 0; i < n; ++i) {
        const double x = circle.xc - circle.radius + (i + 0.5) * width;
        const double dx = x - circle.xc;
        const double arc = circle.yc - std::sqrt(circle.radius * circle.radius - dx * dx);
        if (!(surface(x) > arc))
            continue;
        double w = p.fillUnitWeight * (surface(x) - std::max(arc, 0.0)) + (std::abs(x) < b / 2 ? q : 0);
        double cBase = g.cFill, phiBase = g.phiFill * rad;
        for (const Layer& l : layers) {
            w += l.gamma * std::max(0.0, std::min(-arc, l.bottom) - l.top);
            if (arc < 0 && -arc >= l.top && -arc < l.bottom) {
                const bool treated = x > leftToe - g.treatedMargin && x < rightToe + g.treatedMargin;
                const double m = treated ? l.m : 0;
                cBase = m * g.pileShear + (1 - m) * l.c;
                phiBase = std::atan((1 - m) * std::tan(l.phi * rad));
            }
        }
        weight.push_back(w * width);
        sinAlpha.push_back((side == Side::Right ? -dx : dx) / circle.radius);
        cosAlpha.push_back((circle.yc - arc) / circle.radius);
        c.push_back(cBase);
        tanPhi.push_back(std::tan(phiBase));
    }
    double f = 1;
    for (int iteration = 0; iteration < 500; ++iteration) {
        double resisting = 0, driving = 0;
        for (std::size_t i = 0; i < weight.size(); ++i) {
            resisting += (c[i] * width + weight[i] * tanPhi[i]) / (cosAlpha[i] + sinAlpha[i] * tanPhi[i] / f);
            driving += weight[i] * sinAlpha[i];
        }
        f = resisting / driving;
    }
    return f;
}

struct GroundCase {
    const char* name;
    Ground ground;
    double slopeM, slopeN, height;  // of the fill
    double surcharge;
};

Ground weakFill()
{
    Ground g;
    g.cHead = {40};
    g.phiHead = {20};
    g.cFill = 5;
    g.phiFill = 20;
    return g;
}

Ground strongFill()
{
    Ground g;
    g.cHead = {8};
    g.phiHead = {4};
    g.cShaft = {8, 10};
    g.phiShaft = {4, 5};
    g.cFill = 40;
    g.phiFill = 35;
    g.pileShear = 60;
    return g;
}

Ground unreinforced(Ground g)
{
    g.treatedMargin = -1000;
    return g;
}

// The piles under the crest and the upper slopes only.
Ground shortZone()
{
    Ground g;
    g.treatedMargin = -8;
    return g;
}

const GroundCase kGroundCases[] = {
    {"weakLayer", Ground{}, 1.5, 1.5, 3, 0},
    {"weakLayerUnreinforced", unreinforced(Ground{}), 1.5, 1.5, 3, 0},
    {"weakLayerUnderSurcharge", Ground{}, 1.5, 1.5, 3, 30},
    {"unequalSlopes", Ground{}, 1, 2.5, 4, 0},
    {"fillStrongerThanGround", strongFill(), 1.5, 1.5, 3, 0},
    {"fillStrongerThanUnreinforcedGround", unreinforced(strongFill()), 1.5, 1.5, 3, 0},
    {"weakFill", weakFill(), 1.5, 1.5, 3, 0},
    {"zoneStoppingShortOfTheToes", shortZone(), 1.5, 1.5, 3, 0},
};

class StabilityGroundTest : public testing::TestWithParam<GroundCase> {
protected:
    StabilityOutcome outcome(ProjectData& p) const
    {
        const GroundCase& c = GetParam();
        p = withGround(c.ground);
        p.slopeM = c.slopeM;
        p.slopeN = c.slopeN;
        p.embankmentHeight = c.height;
        return stabilityOutcome(p, c.surcharge);
    }
};

// Each side's critical circle has the factor a calculation of its own
// gives, its slices are thin enough that twice as many change the factor
// by less than 0.2 %, and the design's factor is the lesser side's.
TEST_P(StabilityGroundTest, ReportedFactorIsTheCirclesBishopFactor)
{
    ProjectData p;
    const StabilityOutcome o = outcome(p);
    ASSERT_EQ(o.state, StabilityState::Checked) << o.reason;
    const StabilityResult& r = *o.result;
    StabilitySection section;
    ASSERT_EQ(stabilitySection(p, o.inputs, GetParam().surcharge, section), "");
    for (const SideStability* s : {&r.left, &r.right}) {
        const double f = s->least.factor;
        EXPECT_NEAR(independentFactor(p, GetParam().ground, GetParam().surcharge, s->circle, s->side), f, 0.005 * f);
        const auto doubled = circleFactor(section, s->side, s->circle, 2 * kStabilitySliceCount);
        ASSERT_TRUE(doubled);
        EXPECT_NEAR(doubled->factor, f, 0.002 * f);
        EXPECT_LE(r.factor, f);
    }
    EXPECT_EQ(r.factor, r.critical().least.factor);
    EXPECT_GT(r.circlesTried, 1000);
}

// A deep circle under the whole embankment, through the ground beyond both
// ends of a zone that stops short of the toes: reinforced only within the
// zone, on the far side from its slide too.
TEST_P(StabilityGroundTest, DeepCircleUnderTheWholeEmbankmentIsTheIndependentFactor)
{
    ProjectData p;
    const StabilityOutcome o = outcome(p);
    StabilitySection section;
    ASSERT_EQ(stabilitySection(p, o.inputs, GetParam().surcharge, section), "");
    for (const Side side : {Side::Left, Side::Right}) {
        // Its lowest point 8 m deep, 5 m off the centreline towards the slide.
        const SlipCircle circle{side == Side::Right ? 5.0 : -5.0, 20, 28};
        const auto f = circleFactor(section, side, circle);
        ASSERT_TRUE(f) << (side == Side::Left ? "left" : "right");
        EXPECT_NEAR(independentFactor(p, GetParam().ground, GetParam().surcharge, circle, side), f->factor,
                    0.005 * f->factor);
    }
}

// No circle of a fine grid over the searched family has a factor more than
// 2 % below the least one reported for its side.
TEST_P(StabilityGroundTest, NoCircleOfTheFamilyIsMuchWeaker)
{
    ProjectData p;
    const StabilityOutcome o = outcome(p);
    ASSERT_EQ(o.state, StabilityState::Checked) << o.reason;
    StabilitySection section;
    ASSERT_EQ(stabilitySection(p, o.inputs, GetParam().surcharge, section), "");
    for (const SideStability* s : {&o.result->left, &o.result->right}) {
        const SearchBox box = searchBox(section, s->side);
        const int steps = 24;
        double least = 1e300;
        for (int i = 0; i <= steps; ++i)
            for (int j = 0; j <= steps; ++j)
                for (int k = 0; k <= steps; ++k) {
                    const double yc = box.ycMin + (box.ycMax - box.ycMin) * j / steps;
                    const SlipCircle c{box.xcMin + (box.xcMax - box.xcMin) * i / steps, yc,
                                       yc + box.depthMin + (box.depthMax - box.depthMin) * k / steps};
                    if (const auto f = circleFactor(section, s->side, c))
                        least = std::min(least, f->factor);
                }
        EXPECT_GE(least, 0.98 * s->least.factor) << (s->side == Side::Left ? "left" : "right");
    }
}

INSTANTIATE_TEST_SUITE_P(Sections, StabilityGroundTest, testing::ValuesIn(kGroundCases),
                         [](const auto& info) { return info.param.name; });

double leastFactorOf(const ProjectData& p)
{
    const StabilityOutcome o = stabilityOutcome(p);
    EXPECT_EQ(o.state, StabilityState::Checked) << o.reason;
    return o.result ? o.result->factor : 0;
}

struct RiseCase {
    const char* name;
    const char* key;  // an extension key, or spacingSquare for the replacement ratio
    std::vector<const char*> values;  // in the order the factor rises
};

class StabilityRiseTest : public testing::TestWithParam<RiseCase> {};

// With a pile body stronger than the soil, more of it on the slip surface
// gives a higher factor, until the critical circle leaves the zone.
TEST_P(StabilityRiseTest, FactorRisesWithTheReinforcement)
{
    const RiseCase& c = GetParam();
    std::vector<double> factors;
    for (const char* value : c.values) {
        ProjectData p = withGround(Ground{});
        if (std::string(c.key) == "spacingSquare") {
            ASSERT_TRUE(parseFileNumber(value, p.spacingSquare));
            p.deriveEquivalentDiameter();
        } else {
            p.extension.set(c.key, value);
        }
        factors.push_back(leastFactorOf(p));
    }
    for (std::size_t i = 1; i < factors.size(); ++i)
        EXPECT_GT(factors[i], factors[i - 1] * 1.005) << c.values[i];
}

INSTANTIATE_TEST_SUITE_P(
    Reinforcement, StabilityRiseTest,
    testing::Values(RiseCase{"pileShear", "pileShear", {"0", "40", "120", "300"}},
                    RiseCase{"treatedMargin", "treatedMargin", {"-1000", "-4", "-2", "0", "3"}},
                    RiseCase{"replacementRatio", "spacingSquare", {"3", "2.4", "2", "1.6"}}),
    [](const auto& info) { return info.param.name; });

struct ZoneCase {
    const char* name;
    Ground ground;
    bool crossesZone;  // the critical circle of the reinforced section
};

class StabilityZoneTest : public testing::TestWithParam<ZoneCase> {};

// A critical circle that keeps out of the reinforced zone has the factor of
// the section without it; one through it has a higher one.
TEST_P(StabilityZoneTest, OutsideTheZoneTheFactorIsTheUnreinforcedOne)
{
    const ZoneCase& c = GetParam();
    const StabilityOutcome reinforced = stabilityOutcome(withGround(c.ground));
    ASSERT_EQ(reinforced.state, StabilityState::Checked) << reinforced.reason;
    const auto& slices = reinforced.result->critical().least.slices;
    EXPECT_EQ(std::any_of(slices.begin(), slices.end(), [](const StabilitySlice& s) { return s.reinforced; }),
              c.crossesZone);
    const double alone = leastFactorOf(withGround(unreinforced(c.ground)));
    if (c.crossesZone)
        EXPECT_GT(reinforced.result->factor, 1.05 * alone);
    else
        EXPECT_NEAR(reinforced.result->factor, alone, 1e-3 * alone);
}

INSTANTIATE_TEST_SUITE_P(Zone, StabilityZoneTest,
                         testing::Values(ZoneCase{"weakFillSlipsAboveTheGround", weakFill(), false},
                                         ZoneCase{"weakLayerUnderThePiles", Ground{}, true}),
                         [](const auto& info) { return info.param.name; });

struct RefusalCase {
    const char* name;
    Settings settings;
    const char* refusal;
};

class StabilityRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(StabilityRefusalTest, RefusesNamingTheKey)
{
    const StabilityOutcome o = stabilityOutcome(withGround(Ground{}, GetParam().settings));
    EXPECT_EQ(o.state, *GetParam().refusal ? StabilityState::Refused : StabilityState::Checked);
    EXPECT_EQ(o.reason, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, StabilityRefusalTest,
    testing::Values(
        RefusalCase{"cNegative", {{"c.shaft", "6,-1"}}, "c.shaft：黏聚力c应为每层一个不小于0的数（kPa）（共2层），以逗号分隔！"},
        RefusalCase{"cZero", {{"c.shaft", "0,20"}}, ""},
        RefusalCase{"phiNinety", {{"phi.base", "18,90,22"}},
                    "phi.base：内摩擦角φ应为每层一个不小于0且小于90的数（°）（共3层），以逗号分隔！"},
        RefusalCase{"phiJustBelowNinety", {{"phi.base", "18,89.9,22"}}, ""},
        RefusalCase{"phiNegative", {{"phi.head", "-1"}},
                    "phi.head：内摩擦角φ应为每层一个不小于0且小于90的数（°）（共1层），以逗号分隔！"},
        RefusalCase{"cOfANamedStratumMissing", {{"c.shaft", "6,"}, {"name.shaft", "淤泥质黏土,粉砂"}},
                    "c.shaft：第2层“粉砂”未给出黏聚力c，无法计算！"},
        RefusalCase{"phiOfAnUnnamedStratumMissing", {{"phi.base", "18,,22"}}, "phi.base：第2层未给出内摩擦角φ，无法计算！"},
        RefusalCase{"listTooShort", {{"c.base", "30,35"}}, "c.base：黏聚力c应为每层一个不小于0的数（kPa）（共3层），以逗号分隔！"},
        RefusalCase{"listTooLong", {{"phi.head", "10,10"}},
                    "phi.head：内摩擦角φ应为每层一个不小于0且小于90的数（°）（共1层），以逗号分隔！"},
        RefusalCase{"notFinite", {{"c.head", "inf"}}, "c.head：黏聚力c应为每层一个不小于0的数（kPa）（共1层），以逗号分隔！"},
        RefusalCase{"notANumber", {{"c.head", "nan"}}, "c.head：黏聚力c应为每层一个不小于0的数（kPa）（共1层），以逗号分隔！"},
        RefusalCase{"halfAPair", {{"phi.shaft", ""}}, "phi.shaft：应与c.shaft同时给出（每层一个）！"},
        RefusalCase{"otherHalfOfAPair", {{"c.shaft", ""}}, "c.shaft：应与phi.shaft同时给出（每层一个）！"},
        RefusalCase{"fillCNegative", {{"c.fill", "-5"}}, "c.fill：填土黏聚力c应为不小于0的数（kPa）！"},
        RefusalCase{"fillPhiNinety", {{"phi.fill", "90"}}, "phi.fill：填土内摩擦角φ应为不小于0且小于90的数（°）！"},
        RefusalCase{"fillHalfAPair", {{"c.fill", ""}}, "c.fill：应与phi.fill同时给出！"},
        RefusalCase{"pileShearNegative", {{"pileShear", "-1"}}, "pileShear：桩体抗剪强度τp应为不小于0的数（kPa）！"},
        RefusalCase{"marginNotANumber", {{"treatedMargin", "1m"}},
                    "treatedMargin：加固区超出坡脚的宽度应为一个数（m，负数表示止于坡脚以内）！"},
        RefusalCase{"marginNegative", {{"treatedMargin", "-2"}}, ""},
        RefusalCase{"requiredBelowOne", {{"stabilityRequired", "0.99"}}, "stabilityRequired：稳定安全系数要求应为不小于1的数！"},
        RefusalCase{"requiredOne", {{"stabilityRequired", "1"}}, ""}),
    [](const auto& info) { return info.param.name; });

struct StateCase {
    const char* name;
    Settings settings;  // on the worked example without strengths
    StabilityState state;
    const char* reason;
    void (*edit)(ProjectData&) = nullptr;  // of the embankment, when not the worked example's
};

class StabilityStateTest : public testing::TestWithParam<StateCase> {};

TEST_P(StabilityStateTest, AnalysisNeedsAStrengthForEveryLayerReached)
{
    ProjectData p = settlementExample();
    if (GetParam().edit)
        GetParam().edit(p);
    p.deriveEquivalentDiameter();
    for (const auto& [key, value] : GetParam().settings)
        p.extension.set(key, value);
    const StabilityOutcome o = stabilityOutcome(p);
    EXPECT_EQ(o.state, GetParam().state);
    EXPECT_EQ(o.reason, GetParam().reason);
    EXPECT_EQ(o.result.has_value(), GetParam().state == StabilityState::Checked);
}

const Settings kAllStrengths = {{"c.head", "15"},       {"phi.head", "10"},   {"c.shaft", "6,20"},
                                {"phi.shaft", "3,12"},  {"c.base", "30,35,40"}, {"phi.base", "18,20,22"},
                                {"c.fill", "15"},       {"phi.fill", "28"},   {"pileShear", "120"}};

Settings without(const char* key)
{
    Settings s = kAllStrengths;
    s.erase(std::find_if(s.begin(), s.end(), [&](const auto& e) { return e.first == key; }));
    return s;
}

// The settings with key set to value, in place when it is there.
Settings with(Settings s, const char* key, const char* value)
{
    const auto at = std::find_if(s.begin(), s.end(), [&](const auto& e) { return e.first == key; });
    if (at == s.end())
        s.emplace_back(key, value);
    else
        at->second = value;
    return s;
}

const char* const kNoEmbankment = "未能验算：路堤的顶宽B、高度h应不小于0，边坡坡度1:m、1:n的m、n应大于0！";

INSTANTIATE_TEST_SUITE_P(
    States, StabilityStateTest,
    testing::Values(
        StateCase{"nothingAsked", {}, StabilityState::NotAsked, ""},
        StateCase{"flatLeftSlope", kAllStrengths, StabilityState::Unchecked, kNoEmbankment,
                  [](ProjectData& p) { p.slopeM = 0; }},
        StateCase{"flatRightSlope", kAllStrengths, StabilityState::Unchecked, kNoEmbankment,
                  [](ProjectData& p) { p.slopeN = 0; }},
        StateCase{"weightlessFill", kAllStrengths, StabilityState::Unchecked, "未能验算：填土重度γ应大于0！",
                  [](ProjectData& p) { p.fillUnitWeight = 0; }},
        StateCase{"infinitelyHeavyFill", kAllStrengths, StabilityState::Unchecked, "未能验算：填土重度γ应大于0！",
                  [](ProjectData& p) { p.fillUnitWeight = std::numeric_limits<double>::infinity(); }},
        StateCase{"onlyTheTreatment", {{"pileShear", "100"}, {"treatedMargin", "2"}}, StabilityState::NotAsked, ""},
        StateCase{"requiredWithoutStrengths", {{"stabilityRequired", "1.3"}}, StabilityState::Unchecked,
                  "未能验算：未给出填土的抗剪强度（c.fill、phi.fill）！"},
        StateCase{"everyStrength", kAllStrengths, StabilityState::Checked, ""},
        StateCase{"baseLayersReached", with(with(without("c.base"), "phi.base", ""), "c.base", ""),
                  StabilityState::Unchecked, "未能验算：滑弧可达桩端以下第1层（深度10～13 m），未给出其抗剪强度（c.base、phi.base）！"},
        StateCase{"headLayerReached", with(with(kAllStrengths, "c.head", ""), "phi.head", ""), StabilityState::Unchecked,
                  "未能验算：滑弧可达扩大头段第1层（深度0～2 m），未给出其抗剪强度（c.head、phi.head）！"},
        StateCase{"noPileShear", without("pileShear"), StabilityState::Unchecked,
                  "未能验算：加固区的抗剪强度需桩体抗剪强度τp，未给出（pileShear）！"},
        StateCase{"noPileShearNoZone", with(without("pileShear"), "treatedMargin", "-20"), StabilityState::Checked, ""},
        StateCase{"refusedFirst", with(kAllStrengths, "c.head", "-1"), StabilityState::Refused,
                  "c.head：黏聚力c应为每层一个不小于0的数（kPa）（共1层），以逗号分隔！"}),
    [](const auto& info) { return info.param.name; });


std::string setOptions(const Settings& settings)
{
    std::string options;
    for (const auto& [key, value] : settings)
        options += " --set " + key + "=" + value;
    return options;
}

std::vector<std::string> keysOf(const nlohmann::ordered_json& object)
{
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

struct CliCase {
    const char* name;
    std::string options;  // before the worked example's file
    int exitCode;
    std::vector<std::string> keys;  // of "stability", in order; none for no such key
    const char* error;              // in standard error
};

class CliStabilityTest : public testing::TestWithParam<CliCase> {};

TEST_P(CliStabilityTest, JsonCarriesTheStabilityAskedFor)
{
    const CliCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    ASSERT_TRUE(settlementExample().saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    const CliRun run = runCli(c.options + " " + folder + "/p.txt");
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    const auto j = nlohmann::ordered_json::parse(run.out);
    ASSERT_EQ(j.contains("stability"), !c.keys.empty());
    if (c.keys.empty())
        return;
    const auto& stability = j["stability"];
    EXPECT_EQ(keysOf(stability), c.keys);
    if (stability["factor"].is_null())
        return;
    ProjectData p = settlementExample();
    p.deriveEquivalentDiameter();
    for (const auto& [key, value] : kAllStrengths)
        p.extension.set(key, value);
    const StabilityResult r = *stabilityOutcome(p).result;
    EXPECT_EQ(stability["factor"], r.factor) << "the engine's, to the last bit";
    EXPECT_EQ(stability["side"], "left");
    ASSERT_EQ(stability["sides"].size(), 2u);
    for (const auto& side : stability["sides"]) {
        EXPECT_EQ(keysOf(side), (std::vector<std::string>{"side", "factor", "circle"}));
        EXPECT_EQ(keysOf(side["circle"]), (std::vector<std::string>{"centre", "radius", "entry", "exit"}));
        EXPECT_GE(side["factor"].get<double>(), r.factor);
    }
    EXPECT_EQ(stability["sides"][1]["circle"]["radius"], r.right.circle.radius);
    if (!stability.contains("slices"))
        return;
    EXPECT_EQ(stability["circlesTried"], r.circlesTried);
    double width = 0;
    for (const auto& slice : stability["slices"]) {
        EXPECT_EQ(keysOf(slice),
                  (std::vector<std::string>{"x", "width", "baseAngle", "weight", "c", "phi", "reinforced"}));
        width += slice["width"].get<double>();
    }
    const auto& circle = stability["sides"][0]["circle"];
    EXPECT_NEAR(width, circle["entry"][0].get<double>() - circle["exit"][0].get<double>(), 1e-9)
        << "the left side's slices span its circle from the exit to the entry";
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, CliStabilityTest,
    testing::Values(
        CliCase{"notAsked", "--json --details", 0, {}, ""},
        CliCase{"summary", "--json" + setOptions(kAllStrengths), 0, {"factor", "side", "sides"}, ""},
        CliCase{"details", "--json --details" + setOptions(kAllStrengths), 0,
                {"factor", "side", "sides", "slices", "circlesTried"}, ""},
        CliCase{"unchecked", "--json" + setOptions(without("pileShear")), 0, {"factor", "reason"}, ""},
        CliCase{"refused", "--json" + setOptions(with(kAllStrengths, "phi.fill", "95")), 1, {},
                "phi.fill：填土内摩擦角φ应为不小于0且小于90的数（°）！"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
