// orvane-cli: capacities and settlement of project files, as text or JSON,
// and re-saving a project file as the desktop program saves it.
#include "cli/exit_codes.h"
#include "cli/pdf_report.h"
#include "cli/profile_command.h"
#include "cli/report.h"
#include "cli/sweep_command.h"
#include "model/platform.h"
#include "orvane_version.h"

#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: orvane-cli [--json [--details]] FILE...\n"
    "       orvane-cli --save-as OUT FILE\n"
    "       orvane-cli --sweep FIELD=FROM:TO:STEP [--sweep ...] [--json] [--surcharge KPA]\n"
    "                  [--allowable-settlement MM] [--best NAME:max|min] FILE\n"
    "       orvane-cli --profile PROFILE.csv --save-as OUT FILE\n"
    "       orvane-cli --version\n"
    "       orvane-cli --report OUT.pdf FILE\n"
    "\n"
    "For each project file: the characteristic capacity of one pile (kN), of the\n"
    "composite foundation (kPa) and the settlement (mm) under the file's criterion.\n"
    "  --json           one JSON object per file and line, with every criterion\n"
    "  --details        with --json: the capacity terms and every settlement slice\n"
    "  --save-as OUT    load FILE and write it to OUT with a fresh results block\n"
    "  --sweep          vary fields over a range and check each point (--sweep --help)\n"
    "  --profile CSV    first replace FILE's layers by the borehole table CSV\n"
    "                   (strata with name, thickness, qs, Es, gamma) split at\n"
    "                   FILE's head height H and pile length L\n"
    "  --report OUT.pdf write the calculation report of FILE as PDF\n";

int usage()
{
    std::cerr << kUsage;
    return kExitWrongUsage;
}

int saveAs(const std::string& target, const std::string& file)
{
    const FileStatus status = resaveProject(file, target, platform::localNow());
    if (status.ok)
        return kExitDone;
    std::cerr << status.reason << "\n";  // names the file that could not be read or written
    return kExitUnreadable;
}

int run(const std::vector<std::string>& args)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return kExitDone;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "orvane-cli " << orvane::kVersion << "\n";
        return kExitDone;
    }
    if (args.empty())
        return usage();
    if (isSweepCommand(args))
        return runSweepCommand(args);
    if (args[0] == "--profile") {
        const int exitCode = runProfileCommand(args, platform::localNow());
        return exitCode == kExitWrongUsage ? usage() : exitCode;
    }
    if (args[0] == "--save-as")
        return args.size() == 3 ? saveAs(args[1], args[2]) : usage();
    if (args[0] == "--report")
        return args.size() == 3 ? writePdfReport(args[1], args[2]) : usage();
    const bool json = args[0] == "--json";
    const bool details = json && args.size() > 1 && args[1] == "--details";
    const std::vector<std::string> files(args.begin() + (json ? 1 : 0) + (details ? 1 : 0), args.end());
    if (files.empty())
        return usage();
    for (const std::string& file : files)
        if (file.rfind("--", 0) == 0)
            return usage();
    return reportFiles(files, json, details);
}

}  // namespace

// An input whose work outgrows the memory ends with a message, not an abort.
int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> arguments = platform::startConsoleProgram(argc, argv);
        return run(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    } catch (const std::bad_alloc&) {
        std::cerr << "orvane-cli: 内存不足，计算未能完成。\n";
        return kExitUnreadable;
    }
}
