#include "engine/slip_frame.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kCentreColumns = 12;
constexpr int kCentreRows = 10;
constexpr int kDepthSteps = 10;
// The pattern search starts from this many of the best grid circles and
// stops once its steps are below kFinestStep (m).
constexpr int kStarts = 4;
constexpr double kFinestStep = 1e-3;

struct Trial {
    std::array<double, 3> at;  // xc, yc, depth of the lowest point
    double factor;
};

SlipCircle circleAt(const std::array<double, 3>& at) { return {at[0], at[1], at[1] + at[2]}; }

class Search {
public:
    Search(const StabilitySection& section, Side side) : frame_(section, side), box_(searchBox(section, side)) {}

    double factorAt(const std::array<double, 3>& at)
    {
        ++tried_;
        return frame_.factor(circleAt(at)).value_or(kNone);
    }

    std::vector<Trial> grid(const std::vector<double>& depths)
    {
        std::vector<Trial> trials;
        for (int i = 0; i <= kCentreColumns; ++i) {
            for (int j = 0; j <= kCentreRows; ++j) {
                for (const double depth : depths) {
                    const std::array<double, 3> at{
                        box_.xcMin + (box_.xcMax - box_.xcMin) * i / kCentreColumns,
                        box_.ycMin + (box_.ycMax - box_.ycMin) * j / kCentreRows, depth};
                    const double f = factorAt(at);
                    if (f < kNone)
                        trials.push_back({at, f});
                }
            }
        }
        return trials;
    }

    // Compass search: a step along each axis either way, the best move
    // taken, the steps halved when none improves.
    Trial refine(Trial best)
    {
        std::array<double, 3> step{(box_.xcMax - box_.xcMin) / kCentreColumns,
                                   (box_.ycMax - box_.ycMin) / kCentreRows,
                                   (box_.depthMax - box_.depthMin) / kDepthSteps};
        const std::array<double, 3> low{box_.xcMin, box_.ycMin, box_.depthMin};
        const std::array<double, 3> high{box_.xcMax, box_.ycMax, box_.depthMax};
        while (*std::max_element(step.begin(), step.end()) > kFinestStep) {
            Trial move = best;
            for (int axis = 0; axis < 3; ++axis) {
                for (const double sign : {-1.0, 1.0}) {
                    std::array<double, 3> at = best.at;
                    at[axis] = std::clamp(at[axis] + sign * step[axis], low[axis], high[axis]);
                    if (at[axis] == best.at[axis])
                        continue;
                    const double f = factorAt(at);
                    if (f < move.factor)
                        move = {at, f};
                }
            }
            if (move.factor < best.factor)
                best = move;
            else
                for (double& s : step)
                    s /= 2;
        }
        return best;
    }

    SlipFrame& frame() { return frame_; }
    const SearchBox& box() const { return box_; }
    long tried() const { return tried_; }

    static constexpr double kNone = 1e300;

private:
    SlipFrame frame_;
    SearchBox box_;
    long tried_ = 0;
};

// An even grid of depths with every change of strength within it: a thin
// weak layer draws the least factor to the circles that touch its bottom.
std::vector<double> gridDepths(const StabilitySection& section, const SearchBox& box)
{
    std::vector<double> depths;
    for (int k = 0; k <= kDepthSteps; ++k)
        depths.push_back(box.depthMin + (box.depthMax - box.depthMin) * k / kDepthSteps);
    for (const double depth : strengthBoundaries(section))
        if (depth > box.depthMin && depth < box.depthMax)
            depths.push_back(depth);
    std::sort(depths.begin(), depths.end());
    return depths;
}

}  // namespace

SearchBox searchBox(const StabilitySection& s, Side side)
{
    const double base = s.crestWidth + (s.slopeLeft + s.slopeRight) * s.height;
    SearchBox box;
    if (side == Side::Right) {
        box.xcMin = -s.crestWidth / 2;
        box.xcMax = s.crestWidth / 2 + s.slopeRight * s.height + base / 4;
    } else {
        box.xcMin = -s.crestWidth / 2 - s.slopeLeft * s.height - base / 4;
        box.xcMax = s.crestWidth / 2;
    }
    box.ycMin = s.height;
    box.ycMax = s.height + base;
    box.depthMin = 0;
    box.depthMax = s.searchDepth;
    return box;
}

std::optional<SideStability> leastFactor(const StabilitySection& section, Side side)
{
    Search search(section, side);
    std::vector<Trial> trials = search.grid(gridDepths(section, search.box()));
    if (trials.empty())
        return std::nullopt;
    const auto byFactor = [](const Trial& a, const Trial& b) { return a.factor < b.factor; };
    const std::size_t starts = std::min<std::size_t>(kStarts, trials.size());
    std::partial_sort(trials.begin(), trials.begin() + starts, trials.end(), byFactor);
    Trial best = trials.front();
    for (std::size_t i = 0; i < starts; ++i)
        best = std::min(best, search.refine(trials[i]), byFactor);
    SideStability result;
    result.side = side;
    result.circle = circleAt(best.at);
    result.least = *search.frame().details(result.circle);
    result.circlesTried = search.tried();
    return result;
}

long searchCircles(const StabilitySection& section)
{
    long circles = 0;
    for (const Side side : {Side::Left, Side::Right}) {
        const long depths = static_cast<long>(gridDepths(section, searchBox(section, side)).size());
        circles += (kCentreColumns + 1) * (kCentreRows + 1) * depths + kStarts * kRefinedCircles;
    }
    return circles;
}
