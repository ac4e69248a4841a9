// Wrong usage of the command-line calculator: every combination of options
// it refuses, and an option given last without its value, exit with 2 and
// the usage on standard error, before any file is read.
#include "cli/command_table.h"
#include "cli_run.h"
#include "model/extension/input_catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct UsageCase {
    const char* name;
    const char* arguments;
};

class CliUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, WrongUsageExitsWithTwo)
{
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Usage"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Usage, CliUsageTest,
                         testing::Values(UsageCase{"noArguments", ""},
                                         UsageCase{"jsonWithoutFiles", "--json"},
                                         UsageCase{"saveAsWithoutSource", "--save-as out.txt"},
                                         UsageCase{"saveAsTwoSources", "--save-as out.txt a.txt b.txt"},
                                         UsageCase{"unknownOption", "--verbose x.txt"},
                                         UsageCase{"detailsWithoutJson", "--details x.txt"},
                                         UsageCase{"sweepBackwards", "--sweep spacingSquare=2:1:0.1 x.txt"},
                                         UsageCase{"sweepZeroStep", "--sweep spacingSquare=1:2:0 x.txt"},
                                         UsageCase{"sweepTooManyPoints", "--sweep spacingSquare=0:2000000:1 x.txt"},
                                         UsageCase{"sweepGridTooLarge",
                                                   "--sweep spacingSquare=0:2000:1 --sweep headDiameter=0:1000:1 x.txt"},
                                         UsageCase{"sweepUnknownField", "--sweep spacing=1:2:0.1 x.txt"},
                                         UsageCase{"sweepPileLength", "--sweep pileLength=8:12:1 x.txt"},
                                         UsageCase{"sweepInfiniteEnd", "--sweep spacingSquare=1:inf:0.1 x.txt"},
                                         UsageCase{"sweepNotANumberStep", "--sweep spacingSquare=1:2:nan x.txt"},
                                         UsageCase{"sweepMissingStep", "--sweep spacingSquare=1:2 x.txt"},
                                         UsageCase{"sweepNegativeSurcharge",
                                                   "--sweep spacingSquare=1:2:1 --surcharge -5 x.txt"},
                                         UsageCase{"sweepBestWithoutDirection",
                                                   "--sweep spacingSquare=1:2:1 --best spacingSquare x.txt"},
                                         UsageCase{"sweepBestWithoutName", "--sweep spacingSquare=1:2:1 --best :max x.txt"},
                                         UsageCase{"sweepSameFieldTwice",
                                                   "--sweep spacingSquare=1:2:1 --sweep spacingSquare=3:4:1 x.txt"},
                                         UsageCase{"profileWithoutSaveAs", "--profile p.csv x.txt"},
                                         UsageCase{"reportWithoutTarget", "--report x.txt"},
                                         UsageCase{"sweepZeroAllowableSettlement",
                                                   "--sweep spacingSquare=1:2:1 --allowable-settlement 0 x.txt"},
                                         UsageCase{"sweepThreeFields",
                                                   "--sweep spacingSquare=1:2:1 --sweep headDiameter=1:2:1 "
                                                   "--sweep cubeStrength=1:2:1 x.txt"},
                                         UsageCase{"sweepWithoutFile", "--sweep spacingSquare=1:2:1"},
                                         UsageCase{"sweepTwoFiles", "--sweep spacingSquare=1:2:1 x.txt y.txt"},
                                         UsageCase{"sweepBestUnknownName",
                                                   "--sweep spacingSquare=1:2:1 --best nothing:max x.txt"},
                                         // An option given last, without its value.
                                         UsageCase{"sweepLast", "--sweep spacingSquare=1:2:1 x.txt --sweep"},
                                         UsageCase{"surchargeLast", "--sweep spacingSquare=1:2:1 x.txt --surcharge"},
                                         UsageCase{"allowableSettlementLast",
                                                   "--sweep spacingSquare=1:2:1 x.txt --allowable-settlement"},
                                         UsageCase{"bestLast", "--sweep spacingSquare=1:2:1 x.txt --best"},
                                         UsageCase{"sweepProfileLast", "--sweep spacingSquare=1:2:1 x.txt --profile"},
                                         UsageCase{"saveAsLast", "--save-as"},
                                         UsageCase{"sectionsWithoutFile", "--sections t.csv"},
                                         UsageCase{"sectionsLast", "x.txt --sections"},
                                         UsageCase{"sectionsTwice", "--sections t.csv --sections u.csv x.txt"},
                                         UsageCase{"sectionsBestWithoutSweep",
                                                   "--sections t.csv --best spacingSquare:max x.txt"},
                                         UsageCase{"sectionsSweepWithoutBest",
                                                   "--sections t.csv --sweep spacingSquare=1:2:0.1 x.txt"},
                                         UsageCase{"sectionsTwoSweeps",
                                                   "--sections t.csv --sweep spacingSquare=1:2:0.1 "
                                                   "--sweep headDiameter=1:2:0.1 --best spacingSquare:max x.txt"},
                                         UsageCase{"sectionsReportWithSweep",
                                                   "--sections t.csv --sweep spacingSquare=1:2:0.1 --best spacingSquare:max "
                                                   "--report r.pdf x.txt"},
                                         UsageCase{"sectionsReportTwice", "--sections t.csv --report r.pdf --report s.pdf x.txt"},
                                         UsageCase{"sectionsShortestWithoutBest", "--sections t.csv --shortest-stretch 100 x.txt"},
                                         UsageCase{"sectionsNegativeShortest",
                                                   "--sections t.csv --sweep spacingSquare=1:2:0.1 "
                                                   "--best spacingSquare:max --shortest-stretch -0.1 x.txt"},
                                         UsageCase{"sectionsShortestNotANumber",
                                                   "--sections t.csv --sweep spacingSquare=1:2:0.1 "
                                                   "--best spacingSquare:max --shortest-stretch 1O0 x.txt"},
                                         UsageCase{"sectionsChartWithSweep",
                                                   "--sections t.csv --chart c.svg --sweep spacingSquare=1:2:0.1 "
                                                   "--best spacingSquare:max x.txt"},
                                         UsageCase{"sectionsZeroAllowable", "--sections t.csv --allowable-settlement 0 x.txt"},
                                         UsageCase{"profileLast", "--profile"},
                                         UsageCase{"reportLast", "--report"},
                                         UsageCase{"detailsLast", "--json --details"},
                                         UsageCase{"optionLastWithoutValue", "x.txt --save-as"},
                                         UsageCase{"optionValueIsAnOption", "--report --json x.txt"},
                                         UsageCase{"sweepProfileIsAnOption",
                                                   "--sweep spacingSquare=1:2:1 --profile --json x.txt"},
                                         UsageCase{"sectionsChartIsAnOption", "--sections t.csv --chart --json x.txt"},
                                         UsageCase{"timeSettlementIsAnOption", "--time-settlement --json x.txt"},
                                         UsageCase{"sectionsTableIsAnOption", "--sections --json x.txt"},
                                         UsageCase{"saveAsAndReport", "--save-as o.txt --report o.pdf x.txt"},
                                         UsageCase{"saveAsTwice", "--save-as o.txt --save-as p.txt x.txt"},
                                         UsageCase{"profileWithJson", "--profile p.csv --json x.txt"},
                                         UsageCase{"slicesWithoutReport", "--report-slices x.txt"},
                                         UsageCase{"surchargeWithoutReportOrJson", "--surcharge 20 x.txt"},
                                         UsageCase{"jsonNegativeSurcharge", "--json --surcharge -1 x.txt"},
                                         UsageCase{"reportSurchargeNotANumber", "--report o.pdf --surcharge 2O x.txt"},
                                         UsageCase{"reportNegativeSurcharge", "--report o.pdf --surcharge -1 x.txt"},
                                         UsageCase{"reportZeroAllowedSettlement",
                                                   "--report o.pdf --allowable-settlement 0 x.txt"},
                                         UsageCase{"versionWithFile", "--version x.txt"},
                                         UsageCase{"sameSetKeyTwice", "--json --set station=1 --set station=2 x.txt"}),
                         [](const auto& info) { return info.param.name; });

struct HelpCase {
    const char* name;
    const char* arguments;
    const char* usage;  // the start of the command's own usage
};

class CliHelpTest : public testing::TestWithParam<HelpCase> {};

// Asked for help, each command prints its own usage on standard output and
// exits with 0, whatever else is given.
TEST_P(CliHelpTest, HelpPrintsTheCommandsUsage)
{
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(GetParam().usage, 0), 0u) << run.out.substr(0, 80);
    EXPECT_EQ(run.err, "");
}

constexpr const char* kMainUsage = "Usage: orvane-cli [--json [--details]";
constexpr const char* kSweepUsage = "Usage: orvane-cli --sweep FIELD=FROM:TO:STEP";
constexpr const char* kSectionsUsage = "Usage: orvane-cli --sections TABLE.csv";

INSTANTIATE_TEST_SUITE_P(Help, CliHelpTest,
                         testing::Values(HelpCase{"help", "--help", kMainUsage},
                                         HelpCase{"shortHelp", "-h", kMainUsage},
                                         HelpCase{"helpWithAFile", "--json --help x.txt", kMainUsage},
                                         HelpCase{"helpWithWrongUsage", "--details -h", kMainUsage},
                                         HelpCase{"reportHelp", "--report o.pdf --help x.txt", kMainUsage},
                                         HelpCase{"timeSettlementHelp", "--time-settlement o.csv -h x.txt", kMainUsage},
                                         HelpCase{"sweepHelp", "--sweep --help", kSweepUsage},
                                         HelpCase{"sweepShortHelp", "--sweep spacingSquare=1:2:1 -h x.txt",
                                                  kSweepUsage},
                                         HelpCase{"sectionsHelp", "--sections --help", kSectionsUsage},
                                         HelpCase{"sectionsShortHelp", "--sections t.csv -h x.txt", kSectionsUsage}),
                         [](const auto& info) { return info.param.name; });

class CommandTableTest : public testing::TestWithParam<std::size_t> {};

// Every command and every option of the command table has help, and both the
// command's usage text and the manual page show each option.
TEST_P(CommandTableTest, EveryCommandAndOptionHasHelp)
{
    const CommandEntry& command = commandTable().at(GetParam());
    EXPECT_FALSE(command.synopsis.empty());
    EXPECT_FALSE(command.description.empty());
    const std::string usage = usageText(command);
    const std::string manual = manualOptions();
    for (const std::vector<OptionEntry>* entries : {&command.operands, &command.options}) {
        for (const OptionEntry& entry : *entries) {
            EXPECT_FALSE(entry.help.empty()) << entry.name;
            EXPECT_NE(usage.find(" " + entry.name), std::string::npos) << entry.name;
            std::string shown;
            for (const char c : entry.name)
                shown += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(manual.find(shown), std::string::npos) << entry.name;
        }
    }
}

// A value of any option of any command that is itself an option is wrong
// usage, named.
TEST_P(CommandTableTest, AValueThatIsAnOptionIsWrongUsage)
{
    const CommandEntry& command = commandTable().at(GetParam());
    const std::string selected = command.trigger.empty() ? "" : command.trigger + " spacingSquare=1:2:1 ";
    for (const OptionEntry& option : command.options) {
        if (option.value.empty())
            continue;
        const std::string prefix = option.name == command.trigger ? "" : selected;
        const CliRun run = runCli(prefix + option.name + " --json x.txt");
        EXPECT_EQ(run.exitCode, 2) << option.name;
        EXPECT_NE(run.err.find(option.name + " needs a value"), std::string::npos) << run.err;
    }
}

struct ListedInputsCase {
    const char* name;
    const CommandEntry& (*command)();
    const char* entry;  // the operand or option whose help lists the inputs
    bool (*listed)(const InputEntry&);
};

class ListedInputsTest : public testing::TestWithParam<ListedInputsCase> {};

// The help of an operand or option names, as whole words and in the
// catalogue's order, every input the catalogue lets it vary.
TEST_P(ListedInputsTest, HelpNamesEveryInputInTheCataloguesOrder)
{
    const CommandEntry& command = GetParam().command();
    std::string help;
    for (const std::vector<OptionEntry>* entries : {&command.operands, &command.options})
        for (const OptionEntry& entry : *entries)
            if (entry.name == GetParam().entry)
                help = entry.help;
    ASSERT_FALSE(help.empty()) << GetParam().entry;
    const auto wordAt = [&help](const std::string& word, std::size_t from) {
        for (std::size_t at = help.find(" " + word, from); at != std::string::npos; at = help.find(" " + word, at + 1)) {
            const std::size_t end = at + 1 + word.size();
            if (end == help.size() || help[end] == ',' || help[end] == ' ')
                return at;
        }
        return std::string::npos;
    };
    std::size_t from = 0;
    for (const InputEntry& input : inputCatalogue()) {
        if (!GetParam().listed(input))
            continue;
        const std::size_t at = wordAt(input.name, from);
        ASSERT_NE(at, std::string::npos) << input.name << " after " << help.substr(0, from);
        from = at + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ListedInputsTest,
    testing::Values(ListedInputsCase{"sweepFields", sweepCommand, "FIELD",
                                     [](const InputEntry& input) { return input.sweepable; }},
                    ListedInputsCase{"sectionSettings", sectionsCommand, "--sections",
                                     [](const InputEntry& input) {
                                         return input.sectionColumn && input.place == InputPlace::Extension;
                                     }}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(Commands, CommandTableTest, testing::Values(0u, 1u, 2u), [](const auto& info) {
    const std::string& trigger = commandTable().at(info.param).trigger;
    return trigger.empty() ? std::string("calculation") : trigger.substr(2);
});

struct MessageCase {
    const char* name;
    std::string arguments;  // EXAMPLE is the worked example's path
    int exitCode;
    std::string shown;   // in standard error
    std::string absent;  // nowhere in standard error
};

class CliMessageTest : public testing::TestWithParam<MessageCase> {};

// What the calculator says: a user's value escaped and cut, the kind of a
// target named, the system's reasons in Chinese, and a failed write of its
// help or version is a failure.
TEST_P(CliMessageTest, SaysWhatHappenedInItsOwnWords)
{
    const MessageCase& c = GetParam();
    std::string arguments = c.arguments;
    if (const auto at = arguments.find("EXAMPLE"); at != std::string::npos)
        arguments.replace(at, 7, example("worked-example.txt"));
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.shown), std::string::npos) << run.err;
    if (!c.absent.empty()) {
        EXPECT_EQ(run.err.find(c.absent), std::string::npos) << run.err;
    }
    EXPECT_LT(run.err.size(), 20000u);
}

const std::string kCv = " --set cv.head=2 --set cv.shaft=2,3 --set cv.base=1.5,4,6 ";

INSTANTIATE_TEST_SUITE_P(
    Messages, CliMessageTest,
    testing::Values(
        MessageCase{"versionToAFullDevice", "--version >/dev/full", 1, "无法写出结果", ""},
        MessageCase{"helpToAFullDevice", "--help >/dev/full", 1, "无法写出结果", ""},
        MessageCase{"sweepHelpToAFullDevice", "--sweep --help >/dev/full", 1, "无法写出结果", ""},
        MessageCase{"sameSetKeyTwice", "--json --set station=1 --set station=2 EXAMPLE", 2,
                    "--set station is given twice", ""},
        MessageCase{"escapeInAProfilePath", "--profile '\x1B]0;x\x07.csv' --save-as o.txt EXAMPLE", 1,
                    "\\x1B]0;x\\x07.csv", "\x1B"},
        MessageCase{"rightToLeftInAKey", "--json --set '\xE2\x80\xAEkey=1' EXAMPLE", 2, "\\u202Ekey", "\xE2\x80\xAE"},
        MessageCase{"longProfilePath", "--profile " + std::string(5000, 'p') + ".csv --save-as o.txt EXAMPLE", 1,
                    "…（共5004个字符）", std::string(300, 'p')},
        MessageCase{"folderAsTimeSettlementTarget", "--time-settlement ." + kCv + "EXAMPLE", 1,
                    "这是一个文件夹，不是CSV文件", "不是项目文件"},
        MessageCase{"folderAsChartTarget", "--sections " + example("road-sections.csv") + " --chart . EXAMPLE", 1,
                    "这是一个文件夹，不是SVG文件", "不是项目文件"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
