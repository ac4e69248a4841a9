// orvane-cli --sweep: one or two input fields of a project file varied over a
// range, each point computed and checked against the design demands, as CSV
// or JSON lines; or, with --best, the one point that passes every check with
// the largest or smallest value of a field.
#pragma once

#include "engine/sweep.h"

#include <string>
#include <string_view>
#include <vector>

// FIELD=FROM:TO:STEP as the axis; H and L only withProfile. The refusal, or
// an empty text.
std::string parseAxis(std::string_view text, bool withProfile, SweepAxis& axis);
// NAME:max or NAME:min; the refusal, or an empty text.
std::string parseBestOption(std::string_view text, std::string& name, bool& largest);

// Runs the sweep the arguments describe, printing to standard output.
// Exit code 0, 1 when the file cannot be read, 2 with the usage on standard
// error when the arguments are wrong (a bad range, an unknown field, ...).
int runSweepCommand(const std::vector<std::string>& args);
