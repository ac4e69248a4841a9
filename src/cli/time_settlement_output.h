// The settlement against time and the bearing check under the pile tips on
// the command line: their JSON for --details and the curve's CSV text.
#pragma once

#include "engine/time_settlement.h"

#include <nlohmann/json.hpp>

#include <string>

// {times, settlement, degree, final, pavementDay, postConstruction, residual}.
nlohmann::ordered_json consolidationJson(const TimeSettlementResult& result);
// [{depth, pz, pcz, faz, ok}, ...]
nlohmann::ordered_json underlyingChecksJson(const std::vector<UnderlyingLayerCheck>& checks);

// The curve as CSV: the header day,fillHeight,settlement and a line a day.
std::string timeSettlementCsv(const TimeSettlementResult& result);
