// Roundings the forms use to show results: trunc(x * 100 + 0.5) * 0.01 and
// trunc(x * 1000 + 0.5) * 0.001, half up for x >= 0 and cut toward zero for
// negative x (round2(-1.234) = -1.22). The cut is to a 32-bit integer where the
// value fits one; a larger finite value is cut in double precision instead, and
// from 2^52 on, where every double is whole, the value is returned as it is.
#pragma once

#include <string>

double round2(double x);
double round3(double x);

// A value as every form, window, table, chart title and report prints it at
// `decimals` places, C locale: two and three places go through round2 and
// round3, so that one value never reads differently in two places
// (displayFixed(2.675, 2) = "2.68"); other counts are rounded to nearest.
// Not-a-number and infinities read "nan", "inf" and "-inf".
std::string displayFixed(double value, int decimals);
