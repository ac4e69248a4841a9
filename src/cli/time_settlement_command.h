// orvane-cli --time-settlement OUT.csv FILE: the settlement curve of FILE
// written to OUT.csv, never over the project file itself.
#pragma once

#include "cli/command_line.h"

// Exit code 0 when written; 1 when the file cannot be read, has no cv values
// or refused inputs, or OUT.csv cannot be written (the reason goes to
// standard error); 2 for a --set key the file does not take.
int runTimeSettlement(const CommandLine& command);
