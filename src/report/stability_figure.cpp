#include "report/stability_figure.h"

#include "output/sweep_csv.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kWidth = 900;
constexpr double kMargin = 30;
constexpr int kArcPoints = 90;

struct Frame {
    double left, top, scale;  // metres to pixels, the same in x and y
    double x(double metres) const { return kMargin + (metres - left) * scale; }
    double y(double metres) const { return kMargin + (top - metres) * scale; }
};

std::string px(double value) { return shortestDecimal(std::round(value * 10) / 10); }

std::string polyline(const Frame& f, const std::vector<std::pair<double, double>>& points, const std::string& style,
                     const char* kind = "polyline")
{
    std::string coordinates;
    for (const auto& [x, y] : points)
        coordinates += (coordinates.empty() ? "" : " ") + px(f.x(x)) + "," + px(f.y(y));
    return std::string("<") + kind + " points=\"" + coordinates + "\" " + style + "/>\n";
}

std::string label(double x, double y, const std::string& anchor, const std::string& content)
{
    return "<text x=\"" + px(x) + "\" y=\"" + px(y) + "\" text-anchor=\"" + anchor + "\">" + content + "</text>\n";
}

// The lower arc from where the circle leaves the surface on one side to the
// other: every surface point is below the centre, so the angles run through
// the circle's bottom.
std::vector<std::pair<double, double>> arc(const SideStability& s)
{
    const SlipCircle& c = s.circle;
    double from = std::atan2(s.least.entryY - c.yc, s.least.entryX - c.xc);
    double to = std::atan2(s.least.exitY - c.yc, s.least.exitX - c.xc);
    if (from > to)
        std::swap(from, to);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i <= kArcPoints; ++i) {
        const double angle = from + (to - from) * i / kArcPoints;
        points.emplace_back(c.xc + c.radius * std::cos(angle), c.yc + c.radius * std::sin(angle));
    }
    return points;
}

double pileTips(const StabilitySection& s)
{
    double tips = 0;
    for (const GroundLayer& layer : s.layers)
        if (layer.replacement > 0)
            tips = layer.bottom;
    return tips;
}

}  // namespace

std::string stabilityFigureSvg(const ProjectData& project, const StabilityOutcome& outcome, double surcharge)
{
    StabilitySection s;
    if (!outcome.result || !stabilitySection(project, outcome.inputs, surcharge, s).empty())
        return {};
    const StabilityResult& r = *outcome.result;
    const double leftToe = -s.crestWidth / 2 - s.slopeLeft * s.height;
    const double rightToe = s.crestWidth / 2 + s.slopeRight * s.height;
    double left = leftToe, right = rightToe, bottom = -pileTips(s);
    for (const SideStability* side : {&r.left, &r.right}) {
        for (const auto& [x, y] : arc(*side)) {
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
        }
    }
    const double pad = (right - left) * 0.05;
    left -= pad;
    right += pad;
    bottom -= pad;
    const double top = std::max({s.height, r.left.circle.yc, r.right.circle.yc}) + pad;
    const Frame f{left, top, (kWidth - 2 * kMargin) / (right - left)};
    const double height = 2 * kMargin + (top - bottom) * f.scale;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(kWidth) + "\" height=\"" + px(height)
                      + "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"" + px(kWidth) + "\" height=\""
                      + px(height) + "\" fill=\"white\"/>\n";
    if (s.treatedLeft < s.treatedRight)
        svg += polyline(f, {{s.treatedLeft, 0}, {s.treatedRight, 0}, {s.treatedRight, -pileTips(s)}, {s.treatedLeft, -pileTips(s)}},
                        "fill=\"#c8d8ec\" stroke=\"#5a7fb0\" stroke-dasharray=\"4,3\"", "polygon");
    for (const GroundLayer& layer : s.layers)
        svg += polyline(f, {{left, -layer.bottom}, {right, -layer.bottom}}, "stroke=\"#999\" stroke-width=\"0.8\"");
    svg += polyline(f, {{left, 0}, {right, 0}}, "stroke=\"#444\"");
    svg += polyline(f, {{leftToe, 0}, {-s.crestWidth / 2, s.height}, {s.crestWidth / 2, s.height}, {rightToe, 0}},
                    "fill=\"#d9c9a3\" stroke=\"#a08850\"", "polygon");
    for (const SideStability* side : {&r.left, &r.right}) {
        const bool critical = side == &r.critical();
        svg += polyline(f, arc(*side),
                        std::string("fill=\"none\" stroke=\"") + (critical ? "#c00" : "#7a3fa0") + "\" stroke-width=\"2\"");
        svg += "<circle cx=\"" + px(f.x(side->circle.xc)) + "\" cy=\"" + px(f.y(side->circle.yc))
               + "\" r=\"3\" fill=\"#444\"/>\n";
        svg += label(f.x(side->circle.xc), f.y(side->circle.yc) - 8, "middle",
                     std::string(side->side == Side::Left ? "左侧" : "右侧") + " F = "
                         + shortestDecimal(std::round(side->least.factor * 1000) / 1000));
    }
    return svg + "</svg>\n";
}
