// orvane-cli --sections: every cross-section of a road's section table
// computed on the base project, checked against the demands, the governing
// section of each check marked; with --sweep and --best the best passing
// value per section and the stretches that share one design.
#pragma once

#include <string>
#include <vector>

// True when the arguments ask for the sections of a road (any is --sections).
bool isSectionsCommand(const std::vector<std::string>& args);

// Runs it, printing to standard output. Exit code 0, 1 when a file cannot be
// read or the output written, 2 with the usage on standard error when the
// arguments are wrong or the work would be too much.
int runSectionsCommand(const std::vector<std::string>& args);
