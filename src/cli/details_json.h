// The calculation breakdown as JSON for the command-line calculator.
#pragma once

#include "engine/breakdown.h"
#include "engine/sweep.h"

#include <optional>

#include <nlohmann/json.hpp>

class ResultOutput;

// A number, or null when it is not finite.
nlohmann::json jsonNumber(double value);

// The results of a computed record as --json prints a project's:
// equivalentDiameter, pileCapacity, compositeCapacity, manualCompositeCapacity
// and settlement {deformationRatio, stressRatio02, stressRatio01}.
void addResultsJson(const DesignResults& results, nlohmann::ordered_json& j);
// A check of a point: true or false; null when it was not made or the point
// was refused.
nlohmann::ordered_json checkJson(const SweepPoint& point, std::optional<bool> ok);
// The fspk a point's checks adopt (the typed Ra's when set); null for a
// refused point.
nlohmann::ordered_json adoptedCapacityJson(const SweepPoint& point);

// The assessment of a design as every output gives it:
// {"passes", "verdict": "passes"|"fails"|"unchecked", "checks": [{"check",
// "value", "limit", "limitSource", "ok", "reason", "depth" (underlying layer
// only)}]}; value, limit and ok null where not known.
nlohmann::ordered_json assessmentJson(const DesignChecks& checks);

// headFriction .. byHeadBody (kN), governing, replacementRatio, headArea (m2).
nlohmann::ordered_json capacityTermsJson(const CapacityTerms& terms);
// {total, head, shaft, base (mm), stopDepth (m), stoppedBy, slices}, written
// slice by slice: a calculation of a million slices never becomes one JSON
// value in memory. False when the output failed.
bool writeSettlementDetailsJson(const SettlementDetails& details, ResultOutput& out);
