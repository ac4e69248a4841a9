// The values a layer's soil properties may take, wherever they are given:
// in the extension block's per-layer lists or in a borehole table's strata.
// Each limit comes with the words of its refusal.
#pragma once

#include <cmath>

// A cv (1e-3 cm2/s) far beyond any soil, so that every curve stays finite:
// cv of clays is about 0.1 to 100.
inline constexpr double kLargestCv = 1e6;

inline bool isAllowedCv(double v) { return v > 0 && v <= kLargestCv; }
inline constexpr const char* kAllowedCv = "大于0且不大于1000000的数";

inline bool isAllowedFak(double v) { return v > 0 && std::isfinite(v); }
inline constexpr const char* kAllowedFak = "大于0的数";

inline bool isAllowedCohesion(double v) { return v >= 0 && std::isfinite(v); }
inline constexpr const char* kAllowedCohesion = "不小于0的数（kPa）";

inline bool isAllowedFrictionAngle(double v) { return v >= 0 && v < 90; }
inline constexpr const char* kAllowedFrictionAngle = "不小于0且小于90的数（°）";
