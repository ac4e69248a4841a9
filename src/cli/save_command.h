// orvane-cli --save-as: a project file re-saved as the forms save it, with
// its layers first replaced by a soil profile split at its H and L when
// --profile is given, and with the --set values in its extension block.
#pragma once

#include "cli/command_line.h"

#include <ctime>

// Exit code 0 when saved; 1 when the profile or the project file cannot be
// read, split or saved (the reason goes to standard error); 2 for a --set
// key the file does not take.
int runSaveAs(const CommandLine& command, const std::tm& now);
