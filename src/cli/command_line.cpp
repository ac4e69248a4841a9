#include "cli/command_line.h"

#include "cli/command_args.h"
#include "cli/command_table.h"
#include "cli/exit_codes.h"
#include "engine/design_check.h"
#include "model/file_numbers.h"

#include <iostream>

namespace {

std::string setOnce(std::string& slot, const std::string& option, const std::string& value)
{
    if (!slot.empty())
        return option + " is given twice";
    slot = value;
    return {};
}

std::string setNumber(std::optional<double>& slot, const std::string& option, const std::string& value)
{
    double number = 0;
    if (!parseFileNumber(value, number))
        return option + " takes a number, not " + value;
    slot = number;
    return {};
}

std::string takeValue(const std::string& option, const std::string& value, CommandLine& c)
{
    if (option == "--save-as")
        return setOnce(c.saveAs, option, value);
    if (option == "--report")
        return setOnce(c.report, option, value);
    if (option == "--profile")
        return setOnce(c.profile, option, value);
    if (option == "--surcharge")
        return setNumber(c.surcharge, option, value);
    if (option == "--allowable-settlement")
        return setNumber(c.allowableSettlement, option, value);
    if (option == "--allowable-post-construction")
        return setNumber(c.allowablePostConstruction, option, value);
    if (option == "--time-settlement")
        return setOnce(c.timeSettlement, option, value);
    Setting setting;
    if (std::string fault = parseSetting(value, setting); !fault.empty())
        return fault;
    for (const Setting& earlier : c.settings)
        if (earlier.key == setting.key)
            return "--set " + setting.key + " is given twice";
    c.settings.push_back(std::move(setting));
    return {};
}

void takeFlag(const std::string& option, CommandLine& c)
{
    c.version = c.version || option == "--version";
    c.json = c.json || option == "--json";
    c.details = c.details || option == "--details";
    c.reportSlices = c.reportSlices || option == "--report-slices";
}

// Which options go together; the refusal, or an empty text.
std::string combinationFault(const CommandLine& c, std::size_t argumentCount)
{
    const bool writes = !c.saveAs.empty() || !c.report.empty();
    if (c.version)
        return argumentCount == 1 ? std::string() : "--version stands alone";
    if (c.files.empty())
        return "no project file given";
    if (c.details && !c.json)
        return "--details needs --json";
    if (writes && (c.json || (!c.saveAs.empty() && !c.report.empty())))
        return "--save-as, --report and --json do not go together";
    if (!c.timeSettlement.empty() && (writes || c.json))
        return "--time-settlement goes with none of --save-as, --report and --json";
    if (writes && c.files.size() != 1)
        return (c.saveAs.empty() ? "--report" : "--save-as") + std::string(" takes one project file");
    if (!c.timeSettlement.empty() && c.files.size() != 1)
        return "--time-settlement takes one project file";
    if (!c.profile.empty() && c.saveAs.empty())
        return "--profile needs --save-as";
    if (!c.settings.empty() && !writes && !c.json && c.timeSettlement.empty())
        return "--set needs --json, --save-as, --report or --time-settlement";
    if (c.reportSlices && c.report.empty())
        return "--report-slices needs --report";
    if ((c.surcharge || c.allowableSettlement || c.allowablePostConstruction) && c.report.empty() && !c.json)
        return "--surcharge, --allowable-settlement and --allowable-post-construction need --report or --json";
    if (const std::optional<DesignDemands> demands = demandsOf(c))
        if (const std::string fault = demandsFault(*demands); !fault.empty())
            return fault;
    return {};
}

}  // namespace

std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& command)
{
    ParsedArguments parsed;
    if (const std::string fault = parseArguments(calculationCommand(), args, parsed); !fault.empty())
        return fault;
    command.help = parsed.help;
    command.files = parsed.operands;
    for (const ParsedOption& option : parsed.options) {
        if (option.isFlag()) {
            takeFlag(option.name(), command);
            continue;
        }
        if (const std::string fault = takeValue(option.name(), option.value, command); !fault.empty())
            return fault;
    }
    return command.help ? std::string() : combinationFault(command, args.size());
}

std::optional<DesignDemands> demandsOf(const CommandLine& c)
{
    if (!c.surcharge && !c.allowableSettlement && !c.allowablePostConstruction)
        return std::nullopt;
    return DesignDemands{c.surcharge.value_or(0), c.allowableSettlement, c.allowablePostConstruction};
}

int wrongUsage(const std::string& reason)
{
    return usageError(reason, usageText(calculationCommand()));
}
