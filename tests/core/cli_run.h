// Runs the command-line calculator for a test, in the test's own scratch folder.
#pragma once

#include <string>

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

// orvane-cli with the arguments (shell words, UTF-8); its standard error
// is kept in a file of the current test's scratch folder.
CliRun runCli(const std::string& arguments);

// A bundled example's path.
std::string example(const std::string& name);
