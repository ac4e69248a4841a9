#include "model/display_rounding.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

double truncToward0(double v)
{
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (v > lowest - 1.0 && v < highest + 1.0)
        return static_cast<std::int32_t>(v);
    return std::trunc(v);
}

}  // namespace

double round2(double x) { return truncToward0(x * 100 + 0.5) * 0.01; }

double round3(double x) { return truncToward0(x * 1000 + 0.5) * 0.001; }
