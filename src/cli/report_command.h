// orvane-cli --report: the calculation report of one project file, with the
// demands, the slice appendix and the --set values asked for.
#pragma once

#include "cli/command_line.h"

// Exit code 0 when written; 1 when the file cannot be read, the target is
// the project file itself or the report cannot be written (the reason goes
// to standard error, nothing is written); 2 for a --set key the file does not
// take or a build without the report.
int runReport(const CommandLine& command);
