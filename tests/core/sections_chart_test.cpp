#include "output/sections_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct StationTextCase {
    const char* name;
    double chainage;
    const char* text;
};

class StationTextTest : public testing::TestWithParam<StationTextCase> {};

TEST_P(StationTextTest, AsEngineersWriteIt) { EXPECT_EQ(stationText(GetParam().chainage), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Chainages, StationTextTest,
                         testing::Values(StationTextCase{"kilometresAndMetres", 3450, "K3+450"},
                                         StationTextCase{"origin", 0, "K0+000"},
                                         StationTextCase{"metresPadded", 12.5, "K0+012.5"},
                                         StationTextCase{"wholeKilometre", 12000, "K12+000"},
                                         StationTextCase{"roundedUpToTheNextKilometre", 1999.9996, "K2+000"},
                                         StationTextCase{"millimetres", 7.125, "K0+007.125"}),
                         [](const auto& info) { return std::string(info.param.name); });

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

SweepPoint point(double settlement, bool passes)
{
    SweepPoint p;
    p.checks.settlement = settlement;
    p.checks.outcomes = {CheckOutcome{.kind = CheckKind::Bearing, .ok = true},
                         CheckOutcome{.kind = CheckKind::Settlement, .ok = passes}};
    return p;
}

// A section checked after construction as well, both settlements passing or
// both failing.
SweepPoint checkedAfterConstruction(double settlement, double postConstruction, bool passes, double allowance = 100)
{
    SweepPoint p = point(settlement, passes);
    p.checks.allowablePostConstruction = allowance;
    p.checks.postConstruction = postConstruction;
    p.checks.outcomes.push_back(CheckOutcome{.kind = CheckKind::PostConstruction, .ok = passes});
    return p;
}

// A section failing one check of the given kind only.
SweepPoint failingOnly(CheckKind kind)
{
    SweepPoint p = checkedAfterConstruction(80, 40, true);
    p.checks.outcomes.push_back(CheckOutcome{.kind = kind, .ok = false});
    return p;
}

// A section of which one check could not be made, the others holding.
SweepPoint unchecked(double settlement)
{
    SweepPoint p = point(settlement, true);
    p.checks.outcomes.push_back(CheckOutcome{.kind = CheckKind::PostConstruction, .ok = std::nullopt, .reason = "未给出各层固结系数cv"});
    return p;
}

// A section whose stability gives the factor, checked against [F].
SweepPoint withFactor(double settlement, double factor, double required)
{
    SweepPoint p = point(settlement, factor >= required);
    p.checks.stability.result.emplace().factor = factor;
    p.checks.outcomes.push_back(
        CheckOutcome{.kind = CheckKind::Stability, .value = factor, .limit = required, .ok = factor >= required});
    return p;
}

SweepPoint refused()
{
    SweepPoint p = point(NAN, false);
    p.fault = "输入的参数有误，请检查后重新计算！";
    return p;
}

struct ChartCase {
    const char* name;
    std::vector<SweepPoint> points;  // at 0, 100, 200, ... m
    std::optional<double> allowable;
    std::size_t passingMarks;
    std::size_t failingMarks;
    std::size_t postConstructionCurves = 0;
    std::size_t uncheckedMarks = 0;
};

class SectionsChartTest : public testing::TestWithParam<ChartCase> {};

TEST_P(SectionsChartTest, MarksEveryComputedSection)
{
    const ChartCase& c = GetParam();
    std::vector<Section> sections(c.points.size());
    for (std::size_t i = 0; i < sections.size(); ++i)
        sections[i].chainage = 100.0 * static_cast<double>(i);
    const std::string svg = sectionsChartSvg(sections, c.points, std::vector<double>(c.points.size(), 3.0), c.allowable);
    EXPECT_EQ(count(svg, "r=\"3\" fill=\"#1f5fbf\""), c.passingMarks);
    EXPECT_EQ(count(svg, "r=\"3\" fill=\"#c00\""), c.failingMarks + 1) << "one in the legend";
    EXPECT_EQ(count(svg, "r=\"3\" fill=\"white\" stroke=\"#e08000\""), c.uncheckedMarks + (c.uncheckedMarks ? 1 : 0))
        << "one in the legend where there is any";
    EXPECT_EQ(count(svg, "未能验算的断面"), c.uncheckedMarks ? 1u : 0u);
    EXPECT_EQ(count(svg, "容许沉降[s]"), c.allowable ? 1u : 0u);
    EXPECT_EQ(count(svg, "stroke-dasharray=\"2,3\""), 2 * c.postConstructionCurves) << "a curve and its legend";
    EXPECT_EQ(count(svg, "容许工后沉降[s工后]"), c.postConstructionCurves);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_EQ(count(svg, "稳定安全系数F"), 0u) << "no factor, no panel";
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Roads, SectionsChartTest,
    testing::Values(ChartCase{"passingAndFailing", {point(80, true), point(160, false), point(90, true)}, 150, 2, 1},
                    ChartCase{"refusedSectionLeftOut", {point(80, true), refused(), point(90, true)}, 150, 2, 0},
                    ChartCase{"withoutAllowance", {point(80, true), point(90, true)}, std::nullopt, 2, 0},
                    ChartCase{"oneSection", {point(80, true)}, 100, 1, 0},
                    ChartCase{"nothingComputed", {refused(), refused()}, std::nullopt, 0, 0},
                    ChartCase{"afterConstruction",
                              {checkedAfterConstruction(80, 40, true), checkedAfterConstruction(90, 120, false)},
                              150, 2, 2, 1},
                    ChartCase{"uncheckedNeitherPassingNorFailing",
                              {point(80, true), unchecked(90), point(160, false), unchecked(95)}, 150, 1, 1, 0, 2},
                    ChartCase{"afterConstructionNotComputable",
                              {checkedAfterConstruction(80, NAN, false), point(90, true)}, 150, 1, 1, 0},
                    // A failing check is marked on its own curve only.
                    ChartCase{"underlyingLayerFailsAlone", {failingOnly(CheckKind::UnderlyingLayer)}, 150, 2, 0, 1},
                    ChartCase{"bearingFailsAlone", {failingOnly(CheckKind::Bearing)}, 150, 2, 0, 1},
                    ChartCase{"settlementFailsAlone", {failingOnly(CheckKind::Settlement)}, 150, 1, 1, 1},
                    ChartCase{"postConstructionFailsAlone", {failingOnly(CheckKind::PostConstruction)}, 150, 1, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct GeometryCase {
    const char* name;
    std::vector<double> chainages;
    std::vector<double> fillHeights;
    std::vector<SweepPoint> points;
    std::optional<double> allowable;
    std::vector<std::string> drawn;     // parts of the SVG, coordinates worked by hand
    std::vector<std::string> notDrawn = {};
};

class SectionsChartGeometryTest : public testing::TestWithParam<GeometryCase> {};

// The plot spans x 70..830; the fill height's panel y 140..40, its axis to
// 1.15 times the highest fill; the settlement's panel y 360..180, its axis
// to 1.15 times the largest of the settlements and the allowances. No axis
// at the right: each quantity is read on its own panel's scale.
TEST_P(SectionsChartGeometryTest, PointsAndTicksWhereTheyBelong)
{
    const GeometryCase& c = GetParam();
    std::vector<Section> sections(c.chainages.size());
    for (std::size_t i = 0; i < sections.size(); ++i)
        sections[i].chainage = c.chainages[i];
    const std::string svg = sectionsChartSvg(sections, c.points, c.fillHeights, c.allowable);
    for (const std::string& part : c.drawn)
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\n" << svg;
    for (const std::string& part : c.notDrawn)
        EXPECT_EQ(svg.find(part), std::string::npos) << part << "\n" << svg;
}

// Three sections at 0, 100 and 200 m: fill 2, 4 and 3 m (axis to 4.6 m,
// ticks every 2 m), settlements 70, 160 and 90 mm with [s] 150 mm (axis to
// 184 mm, ticks every 50 mm), stations every 50 m; the legend above the
// plot, its marks at y 18.
// Two sections checked after construction, [s] 200 and [s工后] 100 mm: the
// settlement axis runs to 230 mm.
INSTANTIATE_TEST_SUITE_P(
    Roads, SectionsChartGeometryTest,
    testing::Values(
        GeometryCase{"threeSections", {0, 100, 200}, {2, 4, 3},
                     {point(70, true), point(160, false), point(90, true)}, 150,
                     {"<polygon points=\"70,140 70,96.5 450,53 830,74.8 830,140\"",
                      "<polyline points=\"70,291.5 450,203.5 830,272\"",
                      "<circle cx=\"450\" cy=\"203.5\" r=\"3\" fill=\"#c00\"/>",
                      "<circle cx=\"830\" cy=\"272\" r=\"3\" fill=\"#1f5fbf\"/>",
                      "<line x1=\"70\" y1=\"213.3\" x2=\"830\" y2=\"213.3\"",
                      "<text x=\"63\" y=\"100.5\" text-anchor=\"end\">2</text>",
                      "<text x=\"63\" y=\"57\" text-anchor=\"end\">4</text>",
                      "<text x=\"63\" y=\"315.1\" text-anchor=\"end\">50</text>",
                      "<text x=\"63\" y=\"217.3\" text-anchor=\"end\">150</text>",
                      "<text x=\"260\" y=\"378\" text-anchor=\"middle\">K0+050</text>",
                      "<text x=\"830\" y=\"378\" text-anchor=\"middle\">K0+200</text>",
                      "<line x1=\"290\" y1=\"18\" x2=\"310\" y2=\"18\"",
                      "<circle cx=\"362\" cy=\"18\" r=\"3\" fill=\"#c00\"/>"}},
        // Each quantity on its own panel: the fill's ticks in metres of fill
        // (0, 2, 4 over y 140..40), the settlement's in millimetres up to
        // the largest settlement (0 to 150 over y 360..180), the first
        // section's 2.3 m of fill half way up its panel and its 92 mm of
        // settlement half way up the other; [s] where 150 mm is.
        GeometryCase{"eachOnItsOwnScale", {0, 100}, {2.3, 4}, {point(92, true), point(160, false)}, 150,
                     {"<line x1=\"70\" y1=\"140\" x2=\"70\" y2=\"40\"",
                      "<text x=\"63\" y=\"144\" text-anchor=\"end\">0</text>",
                      "<text x=\"63\" y=\"100.5\" text-anchor=\"end\">2</text>",
                      "<text x=\"63\" y=\"57\" text-anchor=\"end\">4</text>",
                      "<polygon points=\"70,140 70,90 830,53 830,140\"",
                      "<line x1=\"70\" y1=\"360\" x2=\"70\" y2=\"180\"",
                      "<text x=\"63\" y=\"364\" text-anchor=\"end\">0</text>",
                      "<text x=\"63\" y=\"266.2\" text-anchor=\"end\">100</text>",
                      "<text x=\"63\" y=\"217.3\" text-anchor=\"end\">150</text>",
                      "<polyline points=\"70,270 830,203.5\"",
                      "<line x1=\"70\" y1=\"213.3\" x2=\"830\" y2=\"213.3\"",
                      "<text x=\"826\" y=\"208.3\" text-anchor=\"end\">容许沉降[s]</text>"},
                     {"text-anchor=\"end\">6</text>", "text-anchor=\"end\">200</text>",
                      "<text x=\"837\""}},
        // Fills below 1 m: the axis still runs to 1.15 m, ticks every 0.5 m.
        GeometryCase{"lowFills", {0, 100}, {0.5, 0.8}, {point(70, true), point(90, true)}, 150,
                     {"<polygon points=\"70,140 70,96.5 830,70.4 830,140\"",
                      "<text x=\"63\" y=\"57\" text-anchor=\"end\">1</text>"}},
        GeometryCase{"afterConstruction", {0, 100}, {3, 3},
                     {checkedAfterConstruction(80, 40, true), checkedAfterConstruction(90, 120, false)}, 200,
                     {"<polygon points=\"70,140 70,53 830,53 830,140\"",
                      "<polyline points=\"70,297.4 830,289.6\"", "<polyline points=\"70,328.7 830,266.1\"",
                      "<line x1=\"70\" y1=\"203.5\" x2=\"830\" y2=\"203.5\"",
                      "<line x1=\"70\" y1=\"281.7\" x2=\"830\" y2=\"281.7\"",
                      "<text x=\"63\" y=\"207.5\" text-anchor=\"end\">200</text>",
                      "<text x=\"63\" y=\"86\" text-anchor=\"end\">2</text>"}},
        // Each section's own allowance after construction over its extent:
        // 100 mm up to halfway to the third section (x 640), 200 mm beyond;
        // [s] 250 mm, the settlement axis to 287.5 mm.
        GeometryCase{"allowancesBySection", {0, 100, 200}, {3, 3, 3},
                     {checkedAfterConstruction(80, 40, true), checkedAfterConstruction(90, 60, true),
                      checkedAfterConstruction(95, 70, true, 200)},
                     250,
                     {"<line x1=\"70\" y1=\"297.4\" x2=\"640\" y2=\"297.4\"",
                      "<line x1=\"640\" y1=\"234.8\" x2=\"830\" y2=\"234.8\"",
                      "<text x=\"826\" y=\"229.8\" text-anchor=\"end\">容许工后沉降[s工后]</text>"}},
        // Factors 1.2 and 1.5 against [F] = 1.3: a panel below (y 550..440)
        // from 1.12 to 1.58, the section below [F] marked red.
        GeometryCase{"stabilityPanel", {0, 100}, {3, 3}, {withFactor(80, 1.2, 1.3), withFactor(90, 1.5, 1.3)}, 150,
                     {"height=\"560\"", "稳定安全系数F",
                      "<polyline points=\"70,530.9 830,459.1\" fill=\"none\" stroke=\"#7a3fa0\"",
                      "<circle cx=\"70\" cy=\"530.9\" r=\"3\" fill=\"#c00\"/>",
                      "<circle cx=\"830\" cy=\"459.1\" r=\"3\" fill=\"#7a3fa0\"/>",
                      "<line x1=\"70\" y1=\"507\" x2=\"830\" y2=\"507\"",
                      "<text x=\"63\" y=\"554\" text-anchor=\"end\">1.12</text>",
                      "<text x=\"63\" y=\"444\" text-anchor=\"end\">1.58</text>"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
