// The stability of the embankment on the command line: its JSON for --json.
#pragma once

#include "engine/stability.h"

#include <nlohmann/json.hpp>

// A checked stability: {factor, side, sides: [{side, factor, circle: {centre,
// radius, entry, exit}}, ...]}, with the breakdown also slices (of the
// critical circle: x, width, baseAngle, weight, c, phi, reinforced) and
// circlesTried. One that cannot be checked: {factor: null, reason}.
nlohmann::ordered_json stabilityJson(const StabilityOutcome& outcome, bool withDetails);
