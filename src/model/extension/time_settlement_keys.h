// The keys of the extension block that hold the inputs of the settlement
// against time, the post-construction demand and the bearing check of the
// soil under the pile tips, and psiS, the settlement's correction
// coefficient for the checks.
#pragma once

inline constexpr const char* kTimeSettlementKeys[] = {
    "ms",          "cv.head",      "cv.shaft", "cv.base",   "bottomDrained",
    "fill",        "pavementDay",  "designPeriod", "fak.base", "etaD",
    "roadClass",   "location",     "allowablePostConstruction", "psiS",
};
