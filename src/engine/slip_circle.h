// The factor of safety of one circular slip surface through the embankment
// and its composite foundation by the simplified Bishop method, and the
// search for the least one on a side.
//
// The cross-section runs across the road: x to the right, y up, the origin
// on the centreline at the ground surface (the level of the pile tops). The
// fill is a trapezoid: crest from -B/2 to B/2 at y = h, slope 1:m on the left
// down to the toe at -B/2 - m h, slope 1:n on the right down to the toe at
// B/2 + n h. The ground is horizontally layered from y = 0 down. In the
// reinforced zone (between its two x bounds, from the surface to the pile
// tips) the strength on the slip surface is the composite one,
//   c' = m tau_p + (1 - m) c,  tan phi' = (1 - m) tan phi,
// m the replacement ratio of the layer's part of the pile; elsewhere the
// soil's own. A surcharge q acts on the crest.
//
// A circle (centre xc, yc, radius R) cuts the section; the sliding mass is
// the part above its lower arc, cut into vertical slices. Slice i of width
// b, weight W (the surcharge on it included), base angle alpha (sin alpha =
// (xc - x) / R for a mass sliding to the right, (x - xc) / R to the left)
// and base strength c', phi' gives
//   F = sum[(c' b + W tan phi') / m_alpha] / sum W sin alpha,
//   m_alpha = cos alpha + sin alpha tan phi' / F,
// solved for F. A circle is admitted when its arc meets the section's
// surface twice and leaves one sliding mass between, its lowest point is at
// or below the ground surface, the mass drives towards the side
// (sum W sin alpha > 0) and every slice has m_alpha > 0.2 at F.
//
// Units: lengths m, unit weights kN/m3, c and tau_p and q kPa, phi and alpha
// degrees, weights kN per metre of road.
#pragma once

#include <optional>
#include <vector>

struct Strength {
    double c = 0;    // kPa
    double phi = 0;  // degrees
};

struct GroundLayer {
    double top = 0;     // depth below the ground surface (m)
    double bottom = 0;  // m
    double unitWeight = 0;
    Strength soil;
    double replacement = 0;  // m of the piles through the layer; 0 below the tips
};

struct StabilitySection {
    double crestWidth = 0;  // B
    double height = 0;      // h
    double slopeLeft = 0;   // m of 1:m
    double slopeRight = 0;  // n of 1:n
    double fillUnitWeight = 0;
    Strength fill;
    std::vector<GroundLayer> layers;  // from the surface down, without gaps
    double pileShear = 0;             // tau_p (kPa)
    double treatedLeft = 0;           // x bounds of the reinforced zone (m); none when left >= right
    double treatedRight = 0;
    double surcharge = 0;  // q (kPa) on the crest
    // The deepest lowest point a circle of the search reaches (m below the
    // surface), not below the last layer's bottom.
    double searchDepth = 0;
};

// The depths (m, from the top down) where the ground's strength on a slip
// surface changes: the bottoms of the layers whose c, phi or replacement
// ratio differs from the next one's.
std::vector<double> strengthBoundaries(const StabilitySection& section);

enum class Side { Left, Right };

struct SlipCircle {
    double xc = 0;
    double yc = 0;
    double radius = 0;
};

struct StabilitySlice {
    double x = 0;          // middle of the slice (m)
    double width = 0;      // m
    double baseAngle = 0;  // alpha (degrees), positive where the base falls towards the side
    double weight = 0;     // kN/m, the surcharge on it included
    double c = 0;          // c' on the base (kPa)
    double phi = 0;        // phi' on the base (degrees)
    bool reinforced = false;  // the base in the reinforced zone
};

struct CircleFactor {
    double factor = 0;
    double entryX = 0, entryY = 0;  // where the arc leaves the surface on the upper side
    double exitX = 0, exitY = 0;    // and on the side's lower one
    std::vector<StabilitySlice> slices;  // from left to right
};

// The slices of an admitted circle come from cutting the sliding mass at
// every change of surface, material or zone, and the pieces between into
// slices of equal angle along the arc, each at most 1/sliceCount of the
// whole arc's angle.
inline constexpr int kStabilitySliceCount = 30;

// The factor of a circle sliding towards the side, or nothing when the
// circle is not admitted.
std::optional<CircleFactor> circleFactor(const StabilitySection& section, Side side, const SlipCircle& circle,
                                         int sliceCount = kStabilitySliceCount);

// The circles the search tries on a side, for a mass sliding towards it,
// with the fill's base width W = B + (m + n) h: centres from the crest edge
// away from the side to W/4 beyond the side's toe (on the right from -B/2 to
// B/2 + n h + W/4, on the left from -B/2 - m h - W/4 to B/2) and from the
// crest level y = h to h + W; lowest points from the ground surface down to
// the section's searchDepth.
struct SearchBox {
    double xcMin = 0, xcMax = 0;
    double ycMin = 0, ycMax = 0;
    double depthMin = 0, depthMax = 0;  // depth of the lowest point below y = 0: R = yc + depth
};
SearchBox searchBox(const StabilitySection& section, Side side);

struct SideStability {
    Side side = Side::Left;
    SlipCircle circle;
    CircleFactor least;  // of the circle with the least factor
    long circlesTried = 0;
};

// The least factor of the search box's circles on the side: a grid of
// centres and of lowest-point depths (an even grid and every strength
// boundary), then a pattern search from the best few grid circles. Nothing
// when no circle of the box is admitted.
std::optional<SideStability> leastFactor(const StabilitySection& section, Side side);

// The circles leastFactor tries on both sides of the section, counted
// before the search for budgeting its work: the grids exactly, the
// refinements as kRefinedCircles each (more than a search usually takes).
long searchCircles(const StabilitySection& section);
inline constexpr long kRefinedCircles = 300;
// The time of one circle's Bishop factor (about 3 us with its slices cut)
// in slices of a settlement calculation (about 50 ns each).
inline constexpr double kCircleInSlices = 60;
