// The command-line calculator's use of a soil profile: a project file's
// layer tables replaced by the split of a borehole table at its H and L.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Arguments that start with "--profile PROFILE.csv". Exit code 0 when done,
// 1 when the profile or the project file cannot be read, split or saved (the
// reason goes to standard error), 2 for arguments it does not know.
int runProfileCommand(const std::vector<std::string>& args, const std::tm& now);
