// Numbers as the boxes of the forms show and accept them, whatever the
// process locale: general format with up to 15 significant digits
// (2.5, 0, 275.48, 1e-05) and plain decimal integers.
#pragma once

#include <QString>

#include <optional>

namespace ui {

QString formatDouble(double value);
QString formatInt(int value);
// Fixed notation with six decimals, as the layer lists show values: 2.500000.
QString formatFixed6(double value);
// A computed result rounded as the result forms round it (displayFixed), at
// `decimals` places shown in full (53.40), so that a column or a title reads
// at one precision and as the forms and reports print the same value.
QString formatResult(double value, int decimals);
QString formatResult2(double value);
// Accepts what an engineer types: 2.5, .5, -3, 1e-3, surrounding spaces.
// Empty, non-numeric, infinite and not-a-number texts give nothing.
std::optional<double> parseDouble(const QString& text);
std::optional<int> parseInt(const QString& text);

}  // namespace ui
