// The calculation breakdown as JSON for the command-line calculator.
#pragma once

#include "engine/breakdown.h"

#include <nlohmann/json.hpp>

class ResultOutput;

// A number, or null when it is not finite.
nlohmann::json jsonNumber(double value);

// headFriction .. byHeadBody (kN), governing, replacementRatio, headArea (m2).
nlohmann::ordered_json capacityTermsJson(const CapacityTerms& terms);
// {total, head, shaft, base (mm), stopDepth (m), stoppedBy, slices}, written
// slice by slice: a calculation of a million slices never becomes one JSON
// value in memory. False when the output failed.
bool writeSettlementDetailsJson(const SettlementDetails& details, ResultOutput& out);
