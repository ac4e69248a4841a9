// Settlement against time: one-dimensional consolidation of the layered
// column the settlement sums, on its own slices and moduli, under the fill
// placed as the fill history says.
//
// Each slice of the settlement (thickness h, modulus E, stress factor I)
// is cut into cells no thicker than the grid's cell size. A cell's excess
// pore pressure u obeys mv du/dt = d/dz (k/gw du/dz) + mv dsigma/dt with
// mv = 1/E and k/gw = cv mv, sigma = I p(t), p(t) = gamma h(t); the top is
// drained, the bottom (the stop depth) drained or not. The equation is
// solved by the implicit (backward Euler) scheme, each step a tridiagonal
// solve, with steps that start small after every change of the loading rate
// and grow geometrically.
//
// The consolidation settlement at t is sum (h p_f / E)(I q(t) - u/p_f),
// q = h(t)/h_f; it reaches the layered sum Sc as u dies out. The total is
// ms Sc: the immediate part (ms - 1) Sc q(t) follows the load at once.
//
// Units: depths and thicknesses m, moduli MPa, cv m2/day, times days,
// settlements mm.
#pragma once

#include "model/extension/time_settlement_inputs.h"

#include <vector>

// The unit engineers report cv in, 1e-3 cm2/s, in m2/day.
inline constexpr double kCvUnitInSquareMetresPerDay = 1e-3 * 1e-4 * 86400;
inline constexpr double kDaysPerYear = 365;

struct ConsolidationSlice {
    double thickness = 0;     // m
    double modulus = 0;       // MPa (composite in the reinforced zones)
    double cv = 0;            // m2/day
    double stressFactor = 0;  // I
};

struct ConsolidationColumn {
    std::vector<ConsolidationSlice> slices;  // from the top down
    bool bottomDrained = false;
    double load = 0;             // p_f = gamma h_f (kPa), the full fill's load
    double finalSettlement = 0;  // Sc (mm), the layered sum under the full fill
};

// The fineness of the solution: cells no thicker than cellSize (m); a first
// step of firstStep times the column's time scale H^2 / cv (H the column
// height, cv the largest), each next step `growth` times the one before.
struct ConsolidationGrid {
    double cellSize = 0.05;
    double firstStep = 1e-6;
    double growth = 1.1;
};

struct ConsolidationLoading {
    std::vector<FillPoint> fill;  // from day 0, heights non-decreasing, the last the full fill
    double ms = 1.0;              // settlement coefficient
};

struct TimeSettlement {
    double day = 0;
    double fillHeight = 0;  // m
    double settlement = 0;  // mm, the total ms-scaled settlement
    double degree = 0;      // the consolidation part's average degree (0..1)
};

// The settlement at each of the given days (ascending, not negative).
std::vector<TimeSettlement> settlementCurve(const ConsolidationColumn& column,
                                            const ConsolidationLoading& loading,
                                            const std::vector<double>& days,
                                            const ConsolidationGrid& grid = {});

// The work of settlementCurve, counted without solving: its cells, and its
// steps up to the last day (each fill point starts the steps small again,
// each day asked for may cut one step short). Time and memory grow with it.
struct ConsolidationWork {
    double cells = 0;
    double steps = 0;
    double cellSteps() const { return cells * steps; }
};
ConsolidationWork consolidationWork(const ConsolidationColumn& column, const ConsolidationLoading& loading,
                                    const std::vector<double>& days, const ConsolidationGrid& grid = {});

// The fill height (m) on a day, linear between the points, the last one after.
double fillHeightOn(const std::vector<FillPoint>& fill, double day);
