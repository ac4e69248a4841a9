#include "engine/consolidation.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int kDampingSteps = 2;

// The cells of the column, each with what the scheme needs of it.
struct Cells {
    std::vector<double> capacity;     // h / E
    std::vector<double> weight;       // h p_f / E (mm per unit of I q - u/p_f)
    std::vector<double> factor;       // I
    std::vector<double> conductance;  // between cell j and j + 1; the last to the bottom
    double topConductance = 0;
};

Cells cellsOf(const ConsolidationColumn& column, double cellSize)
{
    Cells cells;
    std::vector<double> halfResistance;  // h / (2 k/gw) of each cell
    for (const ConsolidationSlice& slice : column.slices) {
        if (!(slice.thickness > 0))  // settles nothing and holds no water
            continue;
        const int count = std::max(1, static_cast<int>(std::ceil(slice.thickness / cellSize)));
        const double h = slice.thickness / count;
        const double permeability = slice.cv / slice.modulus;  // k/gw = cv mv
        for (int i = 0; i < count; ++i) {
            cells.capacity.push_back(h / slice.modulus);
            cells.weight.push_back(h * column.load / slice.modulus);
            cells.factor.push_back(slice.stressFactor);
            halfResistance.push_back(h / (2 * permeability));
        }
    }
    if (halfResistance.empty())
        return cells;
    cells.topConductance = 1 / halfResistance.front();
    for (std::size_t j = 0; j + 1 < halfResistance.size(); ++j)
        cells.conductance.push_back(1 / (halfResistance[j] + halfResistance[j + 1]));
    cells.conductance.push_back(column.bottomDrained ? 1 / halfResistance.back() : 0.0);
    return cells;
}

// One step of dt with the load ratio rising by dq, the excess pressures
// v = u / p_f in place: theta = 1 is backward Euler, 1/2 Crank-Nicolson.
// Thomas algorithm; the matrix is diagonally dominant, so no pivoting.
class ImplicitStep {
public:
    explicit ImplicitStep(const Cells& cells)
        : cells_(cells), upper_(cells.capacity.size()), rhs_(cells.capacity.size())
    {
    }

    void operator()(std::vector<double>& v, double dt, double dq, double theta)
    {
        const std::size_t n = v.size();
        const double explicitPart = (1 - theta) * dt;
        const double implicitPart = theta * dt;
        double below = 0;  // g between the previous cell and this one
        double previousUpper = 0;
        double previousRhs = 0;
        for (std::size_t j = 0; j < n; ++j) {
            const double above = j == 0 ? cells_.topConductance : below;
            below = cells_.conductance[j];
            const double outflow = above * (v[j] - (j == 0 ? 0.0 : v[j - 1]))
                                   + below * (v[j] - (j + 1 < n ? v[j + 1] : 0.0));
            const double rhs = cells_.capacity[j] * (v[j] + cells_.factor[j] * dq) - explicitPart * outflow;
            const double lower = j == 0 ? 0.0 : -implicitPart * above;
            const double diagonal =
                cells_.capacity[j] + implicitPart * (above + below) - lower * previousUpper;
            upper_[j] = -implicitPart * below / diagonal;
            rhs_[j] = (rhs - lower * previousRhs) / diagonal;
            previousUpper = upper_[j];
            previousRhs = rhs_[j];
        }
        v[n - 1] = rhs_[n - 1];
        for (std::size_t j = n - 1; j-- > 0;)
            v[j] = rhs_[j] - upper_[j] * v[j + 1];
    }

private:
    const Cells& cells_;
    std::vector<double> upper_;
    std::vector<double> rhs_;
};

double consolidationSettlement(const Cells& cells, const std::vector<double>& v, double q)
{
    double sum = 0;
    for (std::size_t j = 0; j < v.size(); ++j)
        sum += cells.weight[j] * (cells.factor[j] * q - v[j]);
    return sum;
}

double timeScale(const ConsolidationColumn& column)
{
    double height = 0;
    double fastest = 0;
    for (const ConsolidationSlice& slice : column.slices) {
        height += slice.thickness;
        fastest = std::max(fastest, slice.cv);
    }
    return height * height / fastest;
}

// Steps of a geometric run from `first`, each `growth` times the one
// before, that cover a span of time.
double stepsToCover(double span, double first, double growth)
{
    if (!(span > 0))
        return 0;
    const double ratio = span * (growth - 1) / first;
    const double exponent = std::isfinite(ratio) ? std::log1p(ratio) : std::log(span * (growth - 1)) - std::log(first);
    return std::ceil(exponent / std::log(growth));
}

}  // namespace

ConsolidationWork consolidationWork(const ConsolidationColumn& column, const ConsolidationLoading& loading,
                                    const std::vector<double>& days, const ConsolidationGrid& grid)
{
    ConsolidationWork work;
    for (const ConsolidationSlice& slice : column.slices)
        if (slice.thickness > 0)
            work.cells += std::max(1.0, std::ceil(slice.thickness / grid.cellSize));
    if (days.empty())
        return work;
    const double first = grid.firstStep * timeScale(column);
    const double lastDay = *std::max_element(days.begin(), days.end());
    double from = 0;
    for (std::size_t k = 1; k < loading.fill.size() && loading.fill[k].day < lastDay; ++k) {
        work.steps += stepsToCover(loading.fill[k].day - from, first, grid.growth);
        from = loading.fill[k].day;
    }
    work.steps += stepsToCover(lastDay - from, first, grid.growth) + static_cast<double>(days.size());
    if (!(first > 0))
        work.steps = INFINITY;
    return work;
}

double fillHeightOn(const std::vector<FillPoint>& fill, double day)
{
    if (fill.empty())
        return 0;
    if (day <= fill.front().day)
        return fill.front().height;
    const auto after = std::upper_bound(fill.begin(), fill.end(), day,
                                        [](double d, const FillPoint& point) { return d < point.day; });
    if (after == fill.end())
        return fill.back().height;
    const FillPoint& before = *std::prev(after);
    return before.height + (after->height - before.height) * (day - before.day) / (after->day - before.day);
}

std::vector<TimeSettlement> settlementCurve(const ConsolidationColumn& column,
                                            const ConsolidationLoading& loading,
                                            const std::vector<double>& days,
                                            const ConsolidationGrid& grid)
{
    const Cells cells = cellsOf(column, grid.cellSize);
    const double fullHeight = loading.fill.empty() ? 0.0 : loading.fill.back().height;
    if (cells.capacity.empty() || !(fullHeight > 0))
        return {};
    const auto loadRatio = [&](double day) { return fillHeightOn(loading.fill, day) / fullHeight; };
    const double firstStep = grid.firstStep * timeScale(column);
    if (!(firstStep > 0 && std::isfinite(firstStep)))  // no step would ever advance
        return {};
    const double sc = column.finalSettlement;

    std::vector<double> v(cells.factor);
    for (double& u : v)
        u *= loadRatio(0);
    ImplicitStep step(cells);
    std::vector<TimeSettlement> curve;
    double t = 0;
    double q = loadRatio(0);
    double dt = firstStep;
    int stepsSinceKink = 0;
    std::size_t nextKink = 1;
    for (double day : days) {
        while (t < day) {
            // The loading rate changes at a fill point: steps start small again.
            const bool kinkFirst = nextKink < loading.fill.size() && loading.fill[nextKink].day < day;
            const double target = kinkFirst ? loading.fill[nextKink].day : day;
            const double h = std::min(dt, target - t);
            const double qNext = loadRatio(t + h);
            // Backward Euler damps the jump of the loading rate, Crank-Nicolson
            // carries on at second order.
            step(v, h, qNext - q, stepsSinceKink < kDampingSteps ? 1.0 : 0.5);
            ++stepsSinceKink;
            t = h == target - t ? target : t + h;
            q = qNext;
            if (h == dt)
                dt *= grid.growth;
            if (nextKink < loading.fill.size() && t >= loading.fill[nextKink].day) {
                ++nextKink;
                dt = firstStep;
                stepsSinceKink = 0;
            }
        }
        TimeSettlement point;
        point.day = day;
        point.fillHeight = fillHeightOn(loading.fill, day);
        const double consolidation = consolidationSettlement(cells, v, q);
        point.degree = consolidation / sc;
        point.settlement = (loading.ms - 1) * sc * q + consolidation;
        curve.push_back(point);
    }
    return curve;
}
