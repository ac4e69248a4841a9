// The command line of orvane-cli described once: each command with its
// options, which of them take a value, and the help of each. The one parser
// of the arguments, every usage text and the manual page read this table, so
// they cannot tell different stories.
#pragma once

#include <string>
#include <vector>

struct OptionEntry {
    std::string name;       // "--surcharge"; for an operand its placeholder ("FILE")
    std::string value;      // the placeholder of its value ("KPA"); empty for a flag
    std::string help;       // one paragraph
    std::string shortName = {};  // "-h" beside "--help"; mostly empty
};

struct CommandEntry {
    std::string trigger;                // the option that selects it; empty for the calculation
    std::string title;                  // its heading in the manual page
    std::vector<std::string> synopsis;  // each line after "orvane-cli "
    std::string description;            // one paragraph
    std::vector<OptionEntry> operands;
    std::vector<OptionEntry> options;
    std::string strayArgument;          // said before an argument it does not take
};

// The calculation of project files (with its --json, --save-as, --report and
// --time-settlement), the sweep and the sections of a road, in that order.
const std::vector<CommandEntry>& commandTable();
const CommandEntry& calculationCommand();
const CommandEntry& sweepCommand();
const CommandEntry& sectionsCommand();

// The command the arguments ask for: the sections when any is --sections,
// else the sweep when any is --sweep, else the calculation.
const CommandEntry& commandFor(const std::vector<std::string>& args);

// True when any argument is the command's --help or -h.
bool asksForHelp(const CommandEntry& command, const std::vector<std::string>& args);

struct ParsedOption {
    const OptionEntry* entry;
    std::string value;  // empty for a flag

    const std::string& name() const { return entry->name; }
    bool isFlag() const { return entry->value.empty(); }
};

struct ParsedArguments {
    bool help = false;  // --help or -h anywhere: nothing else is read
    std::vector<ParsedOption> options;  // in order
    std::vector<std::string> operands;
};

// Reads the arguments as the command's options and operands. An option that
// takes a value refuses a missing one and one that is itself an option
// ("--..."). The reason of wrong usage, or an empty text.
std::string parseArguments(const CommandEntry& command, const std::vector<std::string>& args,
                           ParsedArguments& parsed);

// "Usage: ..." with the command's synopsis (the calculation's lists every
// command's), its description, operands and options, lines of at most 80
// columns.
std::string usageText(const CommandEntry& command);

// The manual page's synopsis and options in roff, every command's.
std::string manualSynopsis();
std::string manualOptions();
