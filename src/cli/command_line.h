// The command line of orvane-cli's calculation of project files (every
// command but --sweep and --sections), read by the command table: options
// with their values, the project files, and the checks of which options go
// together.
#pragma once

#include "cli/extension_settings.h"
#include "engine/design_check.h"

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    bool help = false;
    bool version = false;
    bool json = false;
    bool details = false;
    std::string saveAs;   // --save-as OUT
    std::string report;   // --report OUT.pdf
    std::string profile;  // --profile PROFILE.csv
    std::string timeSettlement;  // --time-settlement OUT.csv
    std::vector<Setting> settings;              // --set KEY=VALUE, in order
    std::optional<double> surcharge;            // --surcharge KPA
    std::optional<double> allowableSettlement;  // --allowable-settlement MM
    std::optional<double> allowablePostConstruction;  // --allowable-post-construction MM
    bool reportSlices = false;                  // --report-slices
    std::vector<std::string> files;
};

// Reads the arguments (the program's name left out); the reason they are
// wrong usage, or an empty text.
std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& command);

// The demands typed on the command line (q = 0 when only an allowance is
// typed); empty when none is.
std::optional<DesignDemands> demandsOf(const CommandLine& command);

// Writes "orvane-cli: reason" and the usage to standard error; the exit code
// of wrong usage.
int wrongUsage(const std::string& reason);
