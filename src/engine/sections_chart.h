// The longitudinal chart of a road's sections as SVG: the fill height and
// the settlement under the project's criterion against chainage, the
// allowable settlement drawn where it is given, the sections that fail a
// check marked, and apart from them those of which a check could not be
// made; where the sections are checked after construction, their
// post-construction settlement and each section's own allowance too; where
// sections have a stability factor, a panel of it below (with the required
// factor).
#pragma once

#include "engine/section_table.h"
#include "engine/sweep.h"

#include <optional>
#include <string>
#include <vector>

// The sections in chainage order with their computed points, one each.
std::string sectionsChartSvg(const std::vector<Section>& sections, const std::vector<SweepPoint>& points,
                             const std::vector<double>& fillHeights, std::optional<double> allowableSettlement);

// "K3+450" for 3450 m, "K0+012.5" for 12.5 m.
std::string stationText(double chainage);
