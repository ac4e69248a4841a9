// The calculation report of one project file as PDF, for the command-line
// calculator: exit code 0 when written, 1 when the file could not be read or
// the report not written, 2 when this build has no report.
#pragma once

#include <string>

int writePdfReport(const std::string& target, const std::string& file);
