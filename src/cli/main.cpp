// orvane-cli: capacities and settlement of project files, as text or JSON,
// re-saving a project file as the desktop program saves it, sweeps and the
// calculation report.
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/report.h"
#include "cli/report_command.h"
#include "cli/save_command.h"
#include "cli/sweep_command.h"
#include "model/platform.h"
#include "orvane_version.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// A --set key refused for any readable file is wrong usage, found before
// anything is printed.
std::string settingsFault(const CommandLine& command)
{
    if (command.settings.empty())
        return {};
    for (const std::string& file : command.files) {
        ProjectData p{};
        if (!p.loadProject(file).ok)
            continue;  // reported as unreadable in turn
        if (std::string fault = applySettings(command.settings, p.extension); !fault.empty())
            return fault + " in " + file;
    }
    return {};
}

int reportAll(const CommandLine& command)
{
    if (const std::string fault = settingsFault(command); !fault.empty())
        return wrongUsage(fault);
    int exitCode = kExitDone;
    for (const std::string& file : command.files) {
        const ProjectReport report = reportProject(file, command.details, command.settings);
        if (!report.status.ok) {
            std::cerr << file << ": " << report.status.reason << "\n";
            exitCode = kExitUnreadable;
        }
        if (command.json)
            std::cout << jsonReport(report) << "\n";
        else if (report.status.ok)
            std::cout << textReport(report) << "\n";
    }
    return exitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = platform::startConsoleProgram(argc, argv);
    const std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    if (isSweepCommand(args))
        return runSweepCommand(args);
    CommandLine command;
    if (const std::string fault = parseCommandLine(args, command); !fault.empty())
        return wrongUsage(fault);
    if (command.help) {
        std::cout << usageText();
        return kExitDone;
    }
    if (command.version) {
        std::cout << "orvane-cli " << orvane::kVersion << "\n";
        return kExitDone;
    }
    if (!command.report.empty())
        return runReport(command);
    if (!command.saveAs.empty())
        return runSaveAs(command, platform::localNow());
    return reportAll(command);
}
