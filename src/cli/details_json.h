// The calculation breakdown as JSON for the command-line calculator.
#pragma once

#include "engine/breakdown.h"

#include <nlohmann/json.hpp>

// A number, or null when it is not finite.
nlohmann::json jsonNumber(double value);

// headFriction .. byHeadBody (kN), governing, replacementRatio, headArea (m2).
nlohmann::ordered_json capacityTermsJson(const CapacityTerms& terms);
// total, head, shaft, base (mm), stopDepth (m), stoppedBy and the slices.
nlohmann::ordered_json settlementDetailsJson(const SettlementDetails& details);
