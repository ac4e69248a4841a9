#include "output/sections_chart.h"

#include "engine/sections.h"
#include "output/sweep_csv.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWidth = 900;
constexpr double kHeight = 420;
constexpr double kLeft = 70;
constexpr double kRight = 70;
constexpr double kTop = 40;
constexpr double kBottom = 60;
// The fill height's panel spans y kTop..kFillBottom, the settlement's
// kSettlementTop..kHeight - kBottom, on the chainage axis at the foot of the
// settlement's: each quantity on its own scale.
constexpr double kFillBottom = 140;
constexpr double kSettlementTop = 180;
const std::string kPostConstructionStyle = "stroke=\"#2a8a4a\" stroke-width=\"1.5\" stroke-dasharray=\"2,3\"";
const std::string kAllowanceStyle = "stroke=\"#c00\" stroke-dasharray=\"6,4\"";
// A section that could not be checked is neither passing nor failing: an
// open mark of its own colour.
const std::string kUncheckedMark = "r=\"3\" fill=\"white\" stroke=\"#e08000\" stroke-width=\"1.5\"";

// A coordinate to a tenth of a pixel, whatever the process locale.
std::string px(double value) { return shortestDecimal(std::round(value * 10) / 10); }

// 1, 2 or 5 times a power of ten, giving about `ticks` steps over the span.
double tickStep(double span, int ticks)
{
    const double raw = std::max(span, 1e-9) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

struct Axis {
    double from;
    double to;
    double pixelFrom;
    double pixelTo;
    double at(double v) const { return pixelFrom + (v - from) / (to - from) * (pixelTo - pixelFrom); }
};

std::string line(double x1, double y1, double x2, double y2, const std::string& style)
{
    return "<line x1=\"" + px(x1) + "\" y1=\"" + px(y1) + "\" x2=\"" + px(x2) + "\" y2=\"" + px(y2) + "\" " + style
           + "/>\n";
}

std::string text(double x, double y, const std::string& anchor, const std::string& content)
{
    return "<text x=\"" + px(x) + "\" y=\"" + px(y) + "\" text-anchor=\"" + anchor + "\">" + content + "</text>\n";
}

// A polyline or polygon through the points.
std::string shape(const char* kind, const std::vector<std::pair<double, double>>& points, const std::string& style)
{
    std::string coordinates;
    for (const auto& [x, y] : points)
        coordinates += (coordinates.empty() ? "" : " ") + px(x) + "," + px(y);
    return std::string("<") + kind + " points=\"" + coordinates + "\" " + style + "/>\n";
}

// Ticks and labels of a panel's vertical axis at its left, some `ticks`
// steps from 0 up, its title above the panel.
std::string verticalAxis(const Axis& axis, int ticks, const std::string& title)
{
    std::string svg = line(kLeft, axis.pixelFrom, kLeft, axis.pixelTo, "stroke=\"#444\"");
    const double step = tickStep(axis.to - axis.from, ticks);
    for (double v = 0; v <= axis.to + step * 1e-9; v += step) {
        const double y = axis.at(v);
        svg += line(kLeft, y, kLeft - 4, y, "stroke=\"#444\"");
        svg += text(kLeft - 7, y + 4, "end", shortestDecimal(std::round(v * 1000) / 1000));
    }
    return svg + text(kLeft, axis.pixelTo - 8, "start", title);
}

std::string horizontalAxis(const Axis& axis)
{
    const double y = kHeight - kBottom;
    std::string svg = line(kLeft, y, kWidth - kRight, y, "stroke=\"#444\"");
    const double step = tickStep(axis.to - axis.from, 6);
    for (double v = std::ceil(axis.from / step) * step; v <= axis.to + step * 1e-9; v += step) {
        svg += line(axis.at(v), y, axis.at(v), y + 4, "stroke=\"#444\"");
        svg += text(axis.at(v), y + 18, "middle", stationText(v));
    }
    return svg + text((kLeft + kWidth - kRight) / 2, kHeight - 12, "middle", "桩号");
}

double largestFinite(const std::vector<double>& values, double atLeast)
{
    double largest = atLeast;
    for (double v : values)
        if (std::isfinite(v))
            largest = std::max(largest, v);
    return largest;
}

// Whether the section fails the check of this kind: a section failing
// another check only is not marked on this check's curve.
bool failsCheck(const SweepPoint& p, CheckKind kind)
{
    const std::vector<CheckKind> failed = p.checks.failedKinds();
    return std::find(failed.begin(), failed.end(), kind) != failed.end();
}

// Red where the section fails the check this curve shows, open where it
// fails nothing but could not be checked.
std::string mark(double cx, double cy, const SweepPoint& p, CheckKind kind)
{
    const std::string at = "<circle cx=\"" + px(cx) + "\" cy=\"" + px(cy) + "\" ";
    if (failsCheck(p, kind))
        return at + "r=\"3\" fill=\"#c00\"/>\n";
    if (p.valid() && p.checks.verdict() == Verdict::Unchecked)
        return at + kUncheckedMark + "/>\n";
    return at + "r=\"3\" fill=\"#1f5fbf\"/>\n";
}

// Above the plot, right of the fill panel's title, each entry with room for
// its text at the report's larger size (14 px).
std::string legend(bool postConstruction, bool unchecked)
{
    const double y = kTop - 18;
    std::string svg = "<rect x=\"200\" y=\"" + px(y - 9) + "\" width=\"14\" height=\"10\" fill=\"#d9c9a3\" stroke=\"#a08850\"/>\n"
                      + text(218, y, "start", "填土高度") + line(290, y - 4, 310, y - 4, "stroke=\"#1f5fbf\" stroke-width=\"1.5\"")
                      + text(314, y, "start", "沉降") + "<circle cx=\"362\" cy=\"" + px(y - 4) + "\" r=\"3\" fill=\"#c00\"/>\n"
                      + text(370, y, "start", "该项验算未通过的断面");
    if (postConstruction)
        svg += line(530, y - 4, 550, y - 4, kPostConstructionStyle) + text(554, y, "start", "工后沉降");
    if (unchecked)
        svg += "<circle cx=\"630\" cy=\"" + px(y - 4) + "\" " + kUncheckedMark + "/>\n"
               + text(638, y, "start", "未能验算的断面");
    return svg;
}

// The settlement after construction of each section whose check asks for
// it, NaN elsewhere.
std::vector<double> postConstructionSettlements(const std::vector<SweepPoint>& points)
{
    std::vector<double> values;
    for (const SweepPoint& p : points)
        values.push_back(p.valid() && p.checks.allowablePostConstruction ? p.checks.postConstruction : NAN);
    return values;
}

// Each section's own allowance after construction, NaN where it has none.
std::vector<double> postConstructionAllowances(const std::vector<SweepPoint>& points)
{
    std::vector<double> values;
    for (const SweepPoint& p : points)
        values.push_back(p.valid() && p.checks.allowablePostConstruction ? *p.checks.allowablePostConstruction : NAN);
    return values;
}

bool anyUnchecked(const std::vector<SweepPoint>& points)
{
    return std::any_of(points.begin(), points.end(),
                       [](const SweepPoint& p) { return p.valid() && p.checks.verdict() == Verdict::Unchecked; });
}

// A polyline through the finite values, with a mark at each section coloured
// by whether it fails the curve's own check; nothing where no value is finite.
std::string settlementCurve(const std::vector<Section>& sections, const std::vector<SweepPoint>& points,
                            const std::vector<double>& values, const Axis& x, const Axis& y, const std::string& style,
                            CheckKind kind)
{
    std::vector<std::pair<double, double>> curve;
    std::string marks;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!std::isfinite(values[i]))
            continue;
        const double cx = x.at(sections[i].chainage);
        const double cy = y.at(values[i]);
        curve.emplace_back(cx, cy);
        marks += mark(cx, cy, points[i], kind);
    }
    return curve.empty() ? std::string() : shape("polyline", curve, "fill=\"none\" " + style) + marks;
}

// A dashed allowance across the chart, labelled at its right end.
std::string allowanceLine(const Axis& x, const Axis& y, double value, const std::string& label)
{
    return line(x.pixelFrom, y.at(value), x.pixelTo, y.at(value), kAllowanceStyle)
           + text(x.pixelTo - 4, y.at(value) - 5, "end", label);
}

// Each section's allowance over its extent along the road (halfway to its
// neighbours), one dashed level for each run of sections sharing one,
// labelled at the right end of the last; nothing where none has one.
std::string allowanceSteps(const std::vector<Section>& sections, const std::vector<double>& allowances,
                           const Axis& x, const Axis& y, const std::string& label)
{
    std::string svg;
    double lastEnd = 0;
    double lastValue = NAN;
    for (std::size_t i = 0; i < sections.size();) {
        std::size_t last = i;
        while (last + 1 < sections.size() && allowances[last + 1] == allowances[i])
            ++last;
        if (std::isfinite(allowances[i])) {
            const double from = i == 0 ? sections[i].chainage : (sections[i - 1].chainage + sections[i].chainage) / 2;
            const double to = last + 1 == sections.size() ? sections[last].chainage
                                                          : (sections[last].chainage + sections[last + 1].chainage) / 2;
            const double at = y.at(allowances[i]);
            svg += line(x.at(from), at, std::max(x.at(to), x.at(from) + 1), at, kAllowanceStyle);
            lastEnd = std::max(x.at(to), x.at(from) + 1);
            lastValue = allowances[i];
        }
        i = last + 1;
    }
    return std::isfinite(lastValue) ? svg + text(lastEnd - 4, y.at(lastValue) - 5, "end", label) : svg;
}

// Below the chart, when sections have a stability factor: a panel of its
// own on the same chainage axis, F of each section marked (red below the
// required factor) and the required factor dashed.
constexpr double kStabilityPanel = 140;

std::string stabilityPanel(const std::vector<Section>& sections, const std::vector<SweepPoint>& points, const Axis& x)
{
    std::vector<double> factors;
    std::optional<double> required;
    for (const SweepPoint& p : points) {
        factors.push_back(p.valid() ? p.checks.stabilityFactor() : NAN);
        if (const CheckOutcome* o = p.valid() ? p.checks.outcome(CheckKind::Stability) : nullptr; o && !required)
            required = o->limit;
    }
    // From a little below the least factor (or the requirement) to a little
    // above the largest: the differences between sections are what matters.
    std::vector<double> negated;
    for (const double factor : factors)
        negated.push_back(-factor);
    const double least = -largestFinite(negated, -required.value_or(INFINITY));
    const double largest = largestFinite(factors, required.value_or(least));
    const double bottom = least - 0.1 * (largest - least) - 0.05;
    const double top = largest + 0.1 * (largest - least) + 0.05;
    const double panelTop = kHeight + 20;
    const double panelBottom = kHeight + kStabilityPanel - 10;
    const Axis f{bottom, top, panelBottom, panelTop};
    std::string svg = line(kLeft, panelBottom, kWidth - kRight, panelBottom, "stroke=\"#444\"")
                      + line(kLeft, panelTop, kLeft, panelBottom, "stroke=\"#444\"");
    for (const double v : {bottom, (bottom + top) / 2, top})
        svg += text(kLeft - 7, f.at(v) + 4, "end", shortestDecimal(std::round(v * 100) / 100));
    svg += text(kLeft, panelTop - 6, "start", "稳定安全系数F");
    if (required && std::isfinite(*required))
        svg += allowanceLine(x, f, *required, "要求的安全系数");
    std::vector<std::pair<double, double>> curve;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!std::isfinite(factors[i]))
            continue;
        const double cx = x.at(sections[i].chainage);
        const double cy = f.at(factors[i]);
        curve.emplace_back(cx, cy);
        const bool below = required && factors[i] < *required;
        svg += "<circle cx=\"" + px(cx) + "\" cy=\"" + px(cy) + "\" r=\"3\" fill=\"" + (below ? "#c00" : "#7a3fa0")
               + "\"/>\n";
    }
    return shape("polyline", curve, "fill=\"none\" stroke=\"#7a3fa0\" stroke-width=\"1.5\"") + svg;
}

bool anyStabilityFactor(const std::vector<SweepPoint>& points)
{
    return std::any_of(points.begin(), points.end(),
                       [](const SweepPoint& p) { return p.valid() && std::isfinite(p.checks.stabilityFactor()); });
}

}  // namespace

std::string stationText(double chainage)
{
    const long long millimetres = std::llround(chainage * 1000);
    const std::string metres = shortestDecimal(static_cast<double>(millimetres % 1'000'000) / 1000);
    const std::size_t whole = std::min(metres.find('.'), metres.size());
    return "K" + std::to_string(millimetres / 1'000'000) + "+" + std::string(whole < 3 ? 3 - whole : 0, '0') + metres;
}

std::string sectionsChartSvg(const std::vector<Section>& sections, const std::vector<SweepPoint>& points,
                             const std::vector<double>& fillHeights, std::optional<double> allowableSettlement)
{
    std::vector<double> settlements;
    for (const SweepPoint& p : points)
        settlements.push_back(p.valid() ? p.checks.settlement : NAN);
    const std::vector<double> postAllowances = postConstructionAllowances(points);
    const std::vector<double> post = postConstructionSettlements(points);
    const double first = sections.empty() ? 0 : sections.front().chainage;
    const double last = sections.empty() ? 1 : std::max(sections.back().chainage, first + 1);
    const Axis x{first, last, kLeft, kWidth - kRight};
    const double heightTop = largestFinite(fillHeights, 1) * 1.15;
    const Axis height{0, heightTop, kFillBottom, kTop};
    const double largestAllowance = largestFinite(postAllowances, allowableSettlement.value_or(1));
    const double settlementTop = largestFinite(settlements, largestAllowance) * 1.15;
    const Axis settlement{0, settlementTop, kHeight - kBottom, kSettlementTop};

    const bool stability = anyStabilityFactor(points);
    const double svgHeight = kHeight + (stability ? kStabilityPanel : 0);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(kWidth) + "\" height=\"" + px(svgHeight)
                      + "\" font-family=\"sans-serif\" font-size=\"12\">\n"
                      // In pixels: Qt's renderer reads 100% as 100 pixels, a white box over the axis title.
                      + "<rect width=\"" + px(kWidth) + "\" height=\"" + px(svgHeight) + "\" fill=\"white\"/>\n";
    svg += horizontalAxis(x) + line(kLeft, kFillBottom, kWidth - kRight, kFillBottom, "stroke=\"#444\"")
           + verticalAxis(height, 3, "填土高度h (m)") + verticalAxis(settlement, 4, "沉降s (mm)");
    std::vector<std::pair<double, double>> heightLine{{x.at(first), height.at(0)}};
    for (std::size_t i = 0; i < sections.size(); ++i)
        heightLine.emplace_back(x.at(sections[i].chainage), height.at(fillHeights[i]));
    heightLine.emplace_back(x.at(last), height.at(0));
    svg += shape("polygon", heightLine, "fill=\"#d9c9a3\" fill-opacity=\"0.6\" stroke=\"#a08850\"");
    if (allowableSettlement)
        svg += allowanceLine(x, settlement, *allowableSettlement, "容许沉降[s]");
    const std::string postCurve = settlementCurve(sections, points, post, x, settlement, kPostConstructionStyle,
                                                  CheckKind::PostConstruction);
    if (!postCurve.empty())
        svg += allowanceSteps(sections, postAllowances, x, settlement, "容许工后沉降[s工后]");
    svg += settlementCurve(sections, points, settlements, x, settlement, "stroke=\"#1f5fbf\" stroke-width=\"1.5\"",
                           CheckKind::Settlement);
    if (stability)
        svg += stabilityPanel(sections, points, x);
    return svg + postCurve + legend(!postCurve.empty(), anyUnchecked(points)) + "</svg>\n";
}
