// The longitudinal chart of a road's sections as SVG, its panels on one
// chainage axis: the fill height (m) above, the settlement under the
// project's criterion (mm) below it with the allowable settlement drawn where
// it is given; where the sections are checked after construction, their
// post-construction settlement and each section's own allowance in the
// settlement's panel too; where sections have a stability factor, a panel of
// it at the foot (with the required factor). The sections that fail a check
// are marked on that check's curve, and apart from them those of which a
// check could not be made.
#pragma once

#include "engine/sweep.h"
#include "model/section_table.h"

#include <optional>
#include <string>
#include <vector>

// The sections in chainage order with their computed points, one each.
std::string sectionsChartSvg(const std::vector<Section>& sections, const std::vector<SweepPoint>& points,
                             const std::vector<double>& fillHeights, std::optional<double> allowableSettlement);

// "K3+450" for 3450 m, "K0+012.5" for 12.5 m.
std::string stationText(double chainage);
