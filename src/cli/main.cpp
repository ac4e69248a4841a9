// orvane-cli: capacities and settlement of project files, as text or JSON,
// re-saving a project file as the desktop program saves it, sweeps and the
// calculation report, and the cross-sections of a road.
#include "cli/command_args.h"
#include "cli/command_line.h"
#include "cli/command_table.h"
#include "cli/exit_codes.h"
#include "cli/pdf_report.h"
#include "cli/report.h"
#include "cli/report_command.h"
#include "cli/save_command.h"
#include "cli/sections_command.h"
#include "cli/sweep_command.h"
#include "cli/time_settlement_command.h"
#include "model/platform.h"
#include "orvane_version.h"

#include <iostream>
#include <new>
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
    ReportOptions options{command.details, command.settings, demandsOf(command)};
    return reportFiles(command.files, command.json, options);
}

int run(const std::vector<std::string>& args)
{
    const CommandEntry& asked = commandFor(args);
    if (&asked == &sectionsCommand())
        return runSectionsCommand(args, writeRoadPdfReport);
    if (&asked == &sweepCommand())
        return runSweepCommand(args);
    CommandLine command;
    if (const std::string fault = parseCommandLine(args, command); !fault.empty())
        return wrongUsage(fault);
    if (command.help)
        return printText(usageText(calculationCommand()));
    if (command.version)
        return printText("orvane-cli " + std::string(orvane::kVersion) + "\n");
    if (!command.report.empty())
        return runReport(command);
    if (!command.timeSettlement.empty())
        return runTimeSettlement(command);
    if (!command.saveAs.empty())
        return runSaveAs(command, platform::localNow());
    return reportAll(command);
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
