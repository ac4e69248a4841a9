// Numbers as the project file writes and reads them, whatever the process
// locale: the value rows, the layer lists and the numbers of the extension
// block alike.
#pragma once

#include <string>
#include <string_view>

// General notation, six significant digits, exponent of two digits at least
// (as printf's %.6g in the C locale).
std::string formatFileNumber(double value);

// A whole token as a finite decimal number (a leading plus allowed, as C++
// streams allow it; no hexadecimal, infinity or NaN).
bool parseFileNumber(std::string_view token, double& value);
// A whole token as an integer (a leading plus allowed).
bool parseFileInteger(std::string_view token, int& value);
