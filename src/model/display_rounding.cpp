#include "model/display_rounding.h"

#include <array>
#include <charconv>
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

// From 2^52 on every double is a whole number: there is nothing to round,
// and scaling such a value up could overflow to infinity.
bool isWholeAlready(double x) { return std::fabs(x) >= 0x1p52; }

}  // namespace

double round2(double x) { return isWholeAlready(x) ? x : truncToward0(x * 100 + 0.5) * 0.01; }

double round3(double x) { return isWholeAlready(x) ? x : truncToward0(x * 1000 + 0.5) * 0.001; }

std::string displayFixed(double value, int decimals)
{
    if (decimals == 2)
        value = round2(value);
    else if (decimals == 3)
        value = round3(value);
    // The largest double has 309 digits before the point.
    std::array<char, 400> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, decimals);
    return std::string(text.data(), written.ptr);
}
