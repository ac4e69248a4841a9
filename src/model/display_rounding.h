// Roundings the forms use to show results: trunc(x * 100 + 0.5) * 0.01 and
// trunc(x * 1000 + 0.5) * 0.001, half up for x >= 0 and cut toward zero for
// negative x (round2(-1.234) = -1.22). The cut is to a 32-bit integer where the
// value fits one; a larger finite value is cut in double precision instead, and
// from 2^52 on, where every double is whole, the value is returned as it is.
#pragma once

double round2(double x);
double round3(double x);
