#include "cli/command_table.h"

#include "cli/command_args.h"
#include "cli/extension_settings.h"
#include "model/extension/input_catalogue.h"

#include <algorithm>

namespace {

const char* const kDemandsHelp = "load q on the fill: bearing check fspk >= gamma h + q (default 0)";

OptionEntry helpOption()
{
    return {"--help", "", "print this usage and exit", "-h"};
}

// The names of the catalogue's sweepable inputs held in one place (the record
// or the extension block), each followed by ", ".
std::string sweepableNames(bool record)
{
    std::string names;
    for (const InputEntry& input : inputCatalogue())
        if (input.sweepable && (input.place == InputPlace::Record) == record)
            names += std::string(input.name) + ", ";
    return names;
}

// The extension block's inputs a row of the section table may give, in the
// catalogue's order; those whose cells hold a code with their Chinese label,
// as a column may be headed by it: "roadClass (道路等级)".
std::string sectionSettingNames()
{
    std::string names;
    for (const InputEntry& input : inputCatalogue()) {
        if (!input.sectionColumn || input.place != InputPlace::Extension)
            continue;
        names += (names.empty() ? "" : ", ") + std::string(input.name);
        if (input.kind == InputKind::Code)
            names += std::string(" (") + input.label + ")";
    }
    return names;
}

CommandEntry calculation()
{
    CommandEntry c;
    c.title = "Project files";
    c.synopsis = {
        "[--json [--details] [--surcharge KPA] [--allowable-settlement MM]\n"
        "[--allowable-post-construction MM]] [--set KEY=VALUE]... FILE...",
        "--save-as OUT [--profile PROFILE.csv] [--set KEY=VALUE]... FILE",
        "--report OUT.pdf [--surcharge KPA] [--allowable-settlement MM]\n"
        "[--allowable-post-construction MM] [--report-slices] [--set KEY=VALUE]... FILE",
        "--time-settlement OUT.csv [--set KEY=VALUE]... FILE",
        "--version",
    };
    c.description =
        "For each project file: the characteristic capacity of one pile (kN), of the composite foundation (kPa) "
        "and the settlement (mm) under the file's criterion. orvane-cli --sweep --help and orvane-cli --sections "
        "--help describe the sweep and the sections of a road.";
    c.operands = {{"FILE", "", "a project file of the desktop program (GBK text)"}};
    c.options = {
        {"--json", "",
         "one JSON object per file and line, with every criterion and \"extension\": the values of the file's "
         "extension block (an object, {} when there are none); with soil strengths in that block, \"stability\": "
         "the least factor of safety of the embankment's slip circles"},
        {"--details", "",
         "with --json: the capacity terms and every settlement slice (and the slices of the critical slip circle)"},
        {"--save-as", "OUT", "load FILE and write it to OUT with a fresh results block"},
        {"--profile", "PROFILE.csv",
         "with --save-as: first replace FILE's layers by the borehole table (strata with name, thickness, qs, Es, "
         "gamma) split at FILE's head height H and pile length L"},
        {"--report", "OUT.pdf",
         "write the calculation report of FILE as PDF (never over FILE); a report that cannot be written leaves "
         "no file, and a build without the desktop program's Qt libraries says it is not available"},
        {"--report-slices", "", "with --report: an appendix with every settlement slice"},
        {"--surcharge", "KPA", std::string("with --report or --json: ") + kDemandsHelp},
        {"--allowable-settlement", "MM", "with --report or --json: check the settlement under the file's criterion"},
        {"--allowable-post-construction", "MM",
         "with --report or --json: check the settlement after the pavement is complete (needs cv values). With a "
         "check asked for here or in FILE, --json gives \"assessment\": every check with its value, limit and "
         "verdict"},
        {"--time-settlement", "OUT.csv",
         "write the settlement of FILE against time (day,fillHeight,settlement) from its cv values and fill "
         "history"},
        {"--set", "KEY=VALUE",
         "with --json, --save-as, --report or --time-settlement: a value of the extension block, one line of "
         "text (an empty VALUE removes KEY). Keys: " + knownExtensionKeys() + ", or one already in FILE"},
        {"--version", "", "print the version and exit"},
        helpOption(),
    };
    c.strayArgument = "unknown option ";
    return c;
}

CommandEntry sweep()
{
    CommandEntry c;
    c.trigger = "--sweep";
    c.title = "Sweeps (--sweep)";
    c.synopsis = {
        "--sweep FIELD=FROM:TO:STEP [--sweep FIELD2=FROM:TO:STEP] [--json]\n"
        "[--surcharge KPA] [--allowable-settlement MM] [--best NAME:max|min]\n"
        "[--allowable-post-construction MM] [--profile PROFILE.csv] FILE",
    };
    c.description =
        "Varies one field of the project file (two for a grid, the first slowest) from FROM to TO inclusive by "
        "STEP and computes every point as the forms do; a point the forms would refuse is not computed and its "
        "reason goes to standard error.";
    c.operands = {
        {"FIELD", "",
         "a record field: " + sweepableNames(true) + "or an extension value: " + sweepableNames(false)
             + "where a per-layer list (c.shaft, ...) is set for every layer of its zone and cv for every layer's "
               "cv.head, cv.shaft and cv.base"},
        {"FILE", "", "the project file"},
    };
    c.options = {
        {"--sweep", "FIELD=FROM:TO:STEP", "the field and its range; given twice, a grid of two fields"},
        {"--json", "", "one JSON object per point and line instead of CSV"},
        {"--surcharge", "KPA", kDemandsHelp},
        {"--allowable-settlement", "MM", "settlement check under the file's criterion (none without it)"},
        {"--allowable-post-construction", "MM",
         "settlement after the pavement is complete, from the file's cv values (a point without them fails)"},
        {"--best", "NAME:max|min",
         "only the passing point with the largest or smallest NAME (a swept field or a result column)"},
        {"--profile", "PROFILE.csv",
         "the borehole table CSV split at each point's head height and pile length replaces the file's layers; "
         "then headLength and pileLength can be swept too"},
        helpOption(),
    };
    c.strayArgument = "unexpected argument ";
    return c;
}

CommandEntry sections()
{
    CommandEntry c;
    c.trigger = "--sections";
    c.title = "Road sections (--sections)";
    c.synopsis = {
        "--sections TABLE.csv [--json] [--surcharge KPA] [--allowable-settlement MM]\n"
        "[--allowable-post-construction MM] [--chart OUT.svg] [--report OUT.pdf]\n"
        "[--sweep FIELD=FROM:TO:STEP --best NAME:max|min [--shortest-stretch M]] FILE",
    };
    c.description =
        "Computes every cross-section of the table on the base project FILE as the forms compute a project and "
        "checks it; the governing section of each check is marked.";
    c.operands = {{"FILE", "", "the base project file"}};
    c.options = {
        {"--sections", "TABLE.csv",
         "one row per section: station (桩号, e.g. K12+340), any field of the record a sweep can vary where the "
         "section differs from FILE (an empty cell keeps FILE's value), optionally profile (a borehole table, its "
         "path relative to TABLE.csv) and the section's own demands and histories: " + sectionSettingNames()},
        {"--json", "", "one JSON object per section and line instead of CSV"},
        {"--surcharge", "KPA", kDemandsHelp},
        {"--allowable-settlement", "MM", "settlement check under FILE's criterion (none without it)"},
        {"--allowable-post-construction", "MM",
         "check of the settlement after the pavement is complete, over FILE's own allowance (needs cv values)"},
        {"--chart", "OUT.svg",
         "also write the longitudinal chart: fill height and settlement against chainage, the allowable "
         "settlement drawn"},
        {"--report", "OUT.pdf",
         "also write the calculation report: every section in a summary table, the chart, the governing sections "
         "in full and a page for each other section"},
        {"--sweep", "FIELD=FROM:TO:STEP",
         "with --best: per section, the passing point of the sweep with the largest or smallest NAME; then the "
         "stretches of adjacent sections sharing one value of FIELD"},
        {"--best", "NAME:max|min", "with --sweep: the swept field or a result column that chooses the design"},
        {"--shortest-stretch", "M",
         "merge stretches shorter than M metres into a neighbour, the more demanding value deciding"},
        helpOption(),
    };
    c.strayArgument = "unexpected argument ";
    return c;
}

const OptionEntry* findOption(const CommandEntry& command, const std::string& arg)
{
    for (const OptionEntry& option : command.options)
        if (arg == option.name || (!option.shortName.empty() && arg == option.shortName))
            return &option;
    return nullptr;
}

}  // namespace

bool asksForHelp(const CommandEntry& command, const std::vector<std::string>& args)
{
    const OptionEntry* help = findOption(command, "--help");
    return std::any_of(args.begin(), args.end(),
                       [help](const std::string& arg) { return arg == help->name || arg == help->shortName; });
}

const std::vector<CommandEntry>& commandTable()
{
    static const std::vector<CommandEntry> table{calculation(), sweep(), sections()};
    return table;
}

const CommandEntry& calculationCommand() { return commandTable()[0]; }
const CommandEntry& sweepCommand() { return commandTable()[1]; }
const CommandEntry& sectionsCommand() { return commandTable()[2]; }

const CommandEntry& commandFor(const std::vector<std::string>& args)
{
    if (hasArgument(args, sectionsCommand().trigger))
        return sectionsCommand();
    if (hasArgument(args, sweepCommand().trigger))
        return sweepCommand();
    return calculationCommand();
}

std::string parseArguments(const CommandEntry& command, const std::vector<std::string>& args,
                           ParsedArguments& parsed)
{
    parsed.help = asksForHelp(command, args);
    if (parsed.help)
        return {};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionEntry* option = findOption(command, arg);
        if (!option && arg.rfind("--", 0) == 0)
            return command.strayArgument + arg;
        if (!option) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (option->value.empty()) {
            parsed.options.push_back({option, std::string()});
            continue;
        }
        if (valueMissing(args, i))
            return arg + " needs a value";
        parsed.options.push_back({option, args[++i]});
    }
    return {};
}
