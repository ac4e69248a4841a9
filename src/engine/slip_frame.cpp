#include "engine/slip_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kDegree = 3.141592653589793 / 180;
// The least m_alpha a slice of an admitted circle may have.
constexpr double kLeastMAlpha = 0.2;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

double arcHalfWidth(double radius, double dy)
{
    return std::sqrt(std::max(0.0, radius * radius - dy * dy));
}

}  // namespace

std::vector<double> strengthBoundaries(const StabilitySection& section)
{
    std::vector<double> depths;
    const auto& layers = section.layers;
    for (std::size_t i = 0; i + 1 < layers.size(); ++i) {
        const GroundLayer& a = layers[i];
        const GroundLayer& b = layers[i + 1];
        if (a.soil.c != b.soil.c || a.soil.phi != b.soil.phi || a.replacement != b.replacement)
            depths.push_back(a.bottom);
    }
    return depths;
}

SlipFrame::SlipFrame(const StabilitySection& s, Side side)
    : section_(s), side_(side), boundaries_(strengthBoundaries(s))
{
    const double m = side == Side::Right ? s.slopeLeft : s.slopeRight;
    const double n = side == Side::Right ? s.slopeRight : s.slopeLeft;
    crestLeft_ = -s.crestWidth / 2;
    crestRight_ = s.crestWidth / 2;
    leftToe_ = crestLeft_ - m * s.height;
    rightToe_ = crestRight_ + n * s.height;
    treatedLeft_ = side == Side::Right ? s.treatedLeft : -s.treatedRight;
    treatedRight_ = side == Side::Right ? s.treatedRight : -s.treatedLeft;
    double above = 0;
    for (const GroundLayer& layer : s.layers) {
        weightAtTop_.push_back(above);
        above += layer.unitWeight * (layer.bottom - layer.top);
    }
}

double SlipFrame::surface(double x) const
{
    if (x <= leftToe_ || x >= rightToe_)
        return 0;
    if (x < crestLeft_)
        return section_.height * (x - leftToe_) / (crestLeft_ - leftToe_);
    if (x > crestRight_)
        return section_.height * (rightToe_ - x) / (rightToe_ - crestRight_);
    return section_.height;
}

const GroundLayer& SlipFrame::layerAt(double depth) const
{
    const auto& layers = section_.layers;
    const auto layer = std::upper_bound(layers.begin(), layers.end(), depth,
                                        [](double z, const GroundLayer& l) { return z < l.bottom; });
    return layer == layers.end() ? layers.back() : *layer;
}

double SlipFrame::groundWeightAbove(double depth) const
{
    const GroundLayer& layer = layerAt(depth);
    return weightAtTop_[&layer - section_.layers.data()] + layer.unitWeight * (depth - layer.top);
}

// The arc meets each straight piece of the surface where a quadratic says;
// between two neighbouring meeting points (or ends of the arc) the mass is
// either wholly above the arc or wholly below.
bool SlipFrame::slidingMass(const SlipCircle& c, double& a, double& b)
{
    const double left = c.xc - c.radius;
    const double right = c.xc + c.radius;
    points_.assign({left, right});
    const double h = section_.height;
    const double pieces[][4] = {{left - 1, 0, leftToe_, 0},   {leftToe_, 0, crestLeft_, h},
                                {crestLeft_, h, crestRight_, h}, {crestRight_, h, rightToe_, 0},
                                {rightToe_, 0, right + 1, 0}};
    for (const auto& piece : pieces) {
        const double x0 = piece[0], y0 = piece[1], dx = piece[2] - x0, dy = piece[3] - y0;
        const double ex = x0 - c.xc, ey = y0 - c.yc;
        const double qa = dx * dx + dy * dy, qb = 2 * (ex * dx + ey * dy), qc = ex * ex + ey * ey - c.radius * c.radius;
        const double discriminant = qb * qb - 4 * qa * qc;
        if (qa == 0 || discriminant < 0)
            continue;
        for (const double sign : {-1.0, 1.0}) {
            const double u = (-qb + sign * std::sqrt(discriminant)) / (2 * qa);
            if (u >= 0 && u <= 1 && y0 + u * dy <= c.yc && x0 + u * dx > left && x0 + u * dx < right)
                points_.push_back(x0 + u * dx);
        }
    }
    for (const double x : {leftToe_, crestLeft_, crestRight_, rightToe_})
        if (x > left && x < right)
            points_.push_back(x);
    std::sort(points_.begin(), points_.end());
    int runs = 0;
    bool inside = false;
    for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
        if (!(points_[i + 1] > points_[i]))
            continue;
        const double x = (points_[i] + points_[i + 1]) / 2;
        const bool above = surface(x) > c.yc - arcHalfWidth(c.radius, x - c.xc);
        if (above && !inside) {
            ++runs;
            a = points_[i];
        }
        if (above)
            b = points_[i + 1];
        inside = above;
    }
    return runs == 1 && a > left && b < right;
}

void SlipFrame::cutSlices(const SlipCircle& c, double a, double b, int sliceCount)
{
    points_.assign({a, b});
    const auto cut = [&](double x) {
        if (x > a && x < b)
            points_.push_back(x);
    };
    for (const double x : {leftToe_, crestLeft_, crestRight_, rightToe_, treatedLeft_, treatedRight_})
        cut(x);
    const auto cutAtLevel = [&](double y) {
        if (std::abs(c.yc - y) < c.radius) {
            const double half = arcHalfWidth(c.radius, c.yc - y);
            cut(c.xc - half);
            cut(c.xc + half);
        }
    };
    cutAtLevel(0);
    for (const double depth : boundaries_)
        cutAtLevel(-depth);
    std::sort(points_.begin(), points_.end());
    // Equal steps of the angle along the arc rather than of x: where the arc
    // meets the surface steeply the slices are thinner.
    const auto angle = [&](double x) { return std::asin(std::clamp((x - c.xc) / c.radius, -1.0, 1.0)); };
    const double widest = (angle(b) - angle(a)) / sliceCount;
    slices_.clear();
    for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
        const double from = angle(points_[i]);
        const double step = angle(points_[i + 1]) - from;
        const int count = static_cast<int>(std::ceil(step / widest - 1e-9));
        double left = points_[i];
        for (int k = 1; k <= count; ++k) {
            const double right = k == count ? points_[i + 1] : c.xc + c.radius * std::sin(from + step * k / count);
            slices_.push_back(slice(c, left, right));
            left = right;
        }
    }
}

// The column above the arc from left to right, weighed at its middle; its
// base takes the strength of the material there.
SlipFrame::Slice SlipFrame::slice(const SlipCircle& c, double left, double right) const
{
    Slice s{};
    s.width = right - left;
    s.x = (left + right) / 2;
    s.base = c.yc - arcHalfWidth(c.radius, s.x - c.xc);
    const double fill = std::max(surface(s.x) - std::max(s.base, 0.0), 0.0);
    const double ground = s.base < 0 ? groundWeightAbove(-s.base) : 0;
    const bool onCrest = s.x > crestLeft_ && s.x < crestRight_;
    s.weight = s.width * (section_.fillUnitWeight * fill + ground + (onCrest ? section_.surcharge : 0));
    s.sinAlpha = (c.xc - s.x) / c.radius;
    s.cosAlpha = (c.yc - s.base) / c.radius;
    Strength strength = section_.fill;
    double m = 0;
    if (s.base < 0) {
        const GroundLayer& l = layerAt(-s.base);
        strength = l.soil;
        s.reinforced = l.replacement > 0 && s.x > treatedLeft_ && s.x < treatedRight_;
        m = s.reinforced ? l.replacement : 0;
    }
    s.c = m * section_.pileShear + (1 - m) * strength.c;
    s.tanPhi = (1 - m) * std::tan(strength.phi * kDegree);
    return s;
}

// F = f(F) as the root of g(F) = F - f(F) within the range of F where every
// m_alpha exceeds the admitted least, by Newton steps kept in a bracket.
std::optional<double> SlipFrame::solve() const
{
    double driving = 0;
    double low = 0, high = kInfinity;
    for (const Slice& s : slices_) {
        driving += s.weight * s.sinAlpha;
        const double t = s.sinAlpha * s.tanPhi;
        const double room = kLeastMAlpha - s.cosAlpha;  // m_alpha > 0.2 asks t / F > room
        if (room >= 0 && t <= 0)
            return std::nullopt;
        if (t < 0)
            low = std::max(low, t / room);
        else if (t > 0 && room > 0)
            high = std::min(high, t / room);
    }
    if (!(driving > 0) || !(low < high))
        return std::nullopt;
    const auto g = [&](double f, double& slope) {
        double resisting = 0, derivative = 0;
        for (const Slice& s : slices_) {
            const double t = s.sinAlpha * s.tanPhi;
            const double mAlpha = s.cosAlpha + t / f;
            const double n = s.c * s.width + s.weight * s.tanPhi;
            resisting += n / mAlpha;
            derivative += n * t / (f * f * mAlpha * mAlpha);
        }
        slope = 1 - derivative / driving;
        return f - resisting / driving;
    };
    double slope = 0;
    double a = std::max(low, 1e-6) * (1 + 1e-12);
    if (!(a < high) || g(a, slope) >= 0)
        return std::nullopt;
    double b = std::isfinite(high) ? high * (1 - 1e-12) : std::max(1.0, 2 * a);
    while (g(b, slope) < 0) {
        if (std::isfinite(high) || b > 1e9)
            return std::nullopt;
        b *= 2;
    }
    double f = a + (b - a) / 2;
    for (int i = 0; i < 200; ++i) {
        const double value = g(f, slope);
        (value < 0 ? a : b) = f;
        double next = f - value / slope;
        if (!(next > a && next < b))
            next = a + (b - a) / 2;
        if (std::abs(next - f) <= 1e-13 * f || b - a <= 1e-13 * b)
            return next;
        f = next;
    }
    return f;
}

std::optional<double> SlipFrame::factor(const SlipCircle& real, int sliceCount)
{
    const SlipCircle c{mirrored(real.xc), real.yc, real.radius};
    double a = 0, b = 0;
    if (!(c.radius > 0) || c.yc - c.radius > 0 || !slidingMass(c, a, b))
        return std::nullopt;
    cutSlices(c, a, b, sliceCount);
    return solve();
}

std::optional<CircleFactor> SlipFrame::details(const SlipCircle& real, int sliceCount)
{
    const std::optional<double> f = factor(real, sliceCount);
    if (!f)
        return std::nullopt;
    CircleFactor r;
    r.factor = *f;
    const double a = slices_.front().x - slices_.front().width / 2;
    const double b = slices_.back().x + slices_.back().width / 2;
    r.entryX = mirrored(a);
    r.entryY = surface(a);
    r.exitX = mirrored(b);
    r.exitY = surface(b);
    for (const Slice& s : slices_)
        r.slices.push_back({mirrored(s.x), s.width, std::asin(s.sinAlpha) / kDegree, s.weight, s.c,
                            std::atan(s.tanPhi) / kDegree, s.reinforced});
    if (side_ == Side::Left)
        std::reverse(r.slices.begin(), r.slices.end());
    return r;
}

std::optional<CircleFactor> circleFactor(const StabilitySection& section, Side side, const SlipCircle& circle,
                                         int sliceCount)
{
    return SlipFrame(section, side).details(circle, sliceCount);
}
