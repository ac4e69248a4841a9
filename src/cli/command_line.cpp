#include "cli/command_line.h"

#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "engine/design_check.h"
#include "model/file_numbers.h"

#include <iostream>

namespace {

constexpr const char* kUsage =
    "Usage: orvane-cli [--json [--details] [--surcharge KPA] [--allowable-settlement MM]\n"
    "                  [--allowable-post-construction MM]] [--set KEY=VALUE]... FILE...\n"
    "       orvane-cli --save-as OUT [--set KEY=VALUE]... FILE\n"
    "       orvane-cli --sweep FIELD=FROM:TO:STEP [--sweep ...] [--json] [--surcharge KPA]\n"
    "                  [--allowable-settlement MM] [--best NAME:max|min] FILE\n"
    "       orvane-cli --sections TABLE.csv [--json] [--surcharge KPA] [--allowable-settlement MM]\n"
    "                  [--chart OUT.svg] [--report OUT.pdf] [--sweep FIELD=FROM:TO:STEP --best NAME:max|min] FILE\n"
    "       orvane-cli --profile PROFILE.csv --save-as OUT [--set KEY=VALUE]... FILE\n"
    "       orvane-cli --report OUT.pdf [--surcharge KPA] [--allowable-settlement MM]\n"
    "                  [--report-slices] [--set KEY=VALUE]... FILE\n"
    "       orvane-cli --time-settlement OUT.csv [--set KEY=VALUE]... FILE\n"
    "       orvane-cli --version\n"
    "\n"
    "For each project file: the characteristic capacity of one pile (kN), of the\n"
    "composite foundation (kPa) and the settlement (mm) under the file's criterion.\n"
    "  --json           one JSON object per file and line, with every criterion and\n"
    "                   \"extension\": the values of the file's extension block\n"
    "                   (an object, {} when there are none)\n"
    "  --details        with --json: the capacity terms and every settlement slice\n"
    "                   (and the slices of the critical slip circle)\n"
    "  --save-as OUT    load FILE and write it to OUT with a fresh results block\n"
    "  --sweep          vary fields over a range and check each point (--sweep --help)\n"
    "  --sections       every cross-section of a road's table on FILE (--sections --help)\n"
    "  --profile CSV    first replace FILE's layers by the borehole table CSV\n"
    "                   (strata with name, thickness, qs, Es, gamma) split at\n"
    "                   FILE's head height H and pile length L\n"
    "  --report OUT.pdf write the calculation report of FILE as PDF (never over FILE)\n"
    "  --surcharge KPA  with --report or --json: check fspk >= gamma h + q\n"
    "  --allowable-settlement MM  with --report or --json: check the settlement\n"
    "  --report-slices  with --report: an appendix with every settlement slice\n"
    "  --allowable-post-construction MM  with --report or --json: check the\n"
    "                   settlement after the pavement is complete (needs cv values)\n"
    "                   With a check asked for here or in FILE, --json gives\n"
    "                   \"assessment\": every check with its value, limit and verdict\n"
    "  --time-settlement OUT.csv  write the settlement of FILE against time\n"
    "                   (day,fillHeight,settlement) from its cv values and fill history\n"
    "  --set KEY=VALUE  with --json, --save-as or --report: a value of the extension\n"
    "                   block, one line of text (an empty VALUE removes KEY). Keys:\n"
    "                   projectName, station, designStage, organisation, reportNumber,\n"
    "                   calculatedBy, checkedBy, approvedBy, ms, cv.head, cv.shaft,\n"
    "                   cv.base, bottomDrained, fill, pavementDay, designPeriod,\n"
    "                   fak.base, etaD, roadClass, location, allowablePostConstruction,\n"
    "                   c.head, phi.head, c.shaft, phi.shaft, c.base, phi.base, c.fill,\n"
    "                   phi.fill, pileShear, treatedMargin, stabilityRequired,\n"
    "                   or one already in FILE\n";

enum class Kind { flag, value };

struct Option {
    const char* name;
    Kind kind;
};

constexpr Option kOptions[] = {
    {"--help", Kind::flag},       {"-h", Kind::flag},         {"--version", Kind::flag},
    {"--json", Kind::flag},       {"--details", Kind::flag},  {"--report-slices", Kind::flag},
    {"--save-as", Kind::value},   {"--report", Kind::value},  {"--profile", Kind::value},
    {"--set", Kind::value},       {"--surcharge", Kind::value}, {"--allowable-settlement", Kind::value},
    {"--time-settlement", Kind::value}, {"--allowable-post-construction", Kind::value},
};

const Option* findOption(const std::string& arg)
{
    for (const Option& option : kOptions)
        if (arg == option.name)
            return &option;
    return nullptr;
}

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
    c.help = c.help || option == "--help" || option == "-h";
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* option = findOption(arg);
        if (!option) {
            if (arg.rfind("--", 0) == 0)
                return "unknown option " + arg;
            command.files.push_back(arg);
            continue;
        }
        if (option->kind == Kind::flag) {
            takeFlag(arg, command);
            continue;
        }
        if (valueMissing(args, i))
            return arg + " needs a value";
        if (const std::string fault = takeValue(arg, args[++i], command); !fault.empty())
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

const char* usageText() { return kUsage; }

int wrongUsage(const std::string& reason)
{
    return usageError(reason, kUsage);
}
