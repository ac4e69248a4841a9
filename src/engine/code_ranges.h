// The factors the composite-foundation code bounds for cement-soil mixing
// piles, against a design's values: a value outside the range is a warning
// beside the results, never a refusal, and so is a single-pile capacity
// governed by the pile body rather than by the soil's resistance.
//   beta (soilReduction): 0.1..0.4 in mud and muddy soil, 0.4..0.8 in
//     other soils; the record does not say which soil, so 0.1..0.8.
//   eta1, eta2 (headStrengthFactor, shaftStrengthFactor): the pile body's
//     strength factor, 0.20..0.25 (dry mixing) or 0.25 (wet mixing).
//   the body's capacity should be no less than the soil's resistance.
// No clause number is given where its text has not been checked here.
#pragma once

#include "engine/breakdown.h"
#include "model/project_data.h"

#include <string>
#include <vector>

struct RangeWarning {
    std::string quantity;  // the record's field, or "governingResistance"
    double value = 0;
    std::string range;     // the range the rule gives, in words
    std::string clause;    // empty where not confirmed
    std::string text;      // the warning, in Chinese
};

std::vector<RangeWarning> rangeWarnings(const ProjectData& p, const CapacityTerms& terms);
