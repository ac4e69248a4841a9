// The calculator's results checked against the saved file's results block,
// the forms' refusals at every sweep point, and the bounds of a sweep's work.
#include "cli_run.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace {

// The text after a results label up to the line end, in the calculator's
// text output or in a saved file (tabs and CR dropped).
std::string resultAfter(const std::string& text, const std::string& label)
{
    const size_t at = text.find(label);
    if (at == std::string::npos)
        return "(no line)";
    std::string value = text.substr(at + label.size(), text.find('\n', at) - at - label.size());
    std::erase(value, '\t');
    std::erase(value, '\r');
    return value;
}

bool isIncomplete(const std::string& value) { return value == "（未全部输入正确的参数）"; }

struct ResultsCase {
    const char* name;
    void (*edit)(ProjectData&);
};

class CliResultsBlockTest : public testing::TestWithParam<ResultsCase> {};

// Each result the saved file shows as incomplete the text output shows so
// too, and each it shows as a number is a number there; an unknown
// criterion leaves the settlement label alone in both.
TEST_P(CliResultsBlockTest, TextFollowsTheRulesOfTheResultsBlock)
{
    const std::string file = scratchFolder(std::string("results-") + GetParam().name) + "/p.txt";
    ProjectData p = settlementExample();
    GetParam().edit(p);
    ASSERT_TRUE(p.saveProject(file, fixedSaveTime()).ok);
    const std::string saved = gbkToUtf8(readBytes(file));
    const CliRun run = runCli(file);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* label : {"单桩承载力特征值：", "复合地基承载力特征值：", "沉降值："}) {
        const std::string inFile = resultAfter(saved, label);
        const std::string inText = resultAfter(run.out, label);
        EXPECT_EQ(isIncomplete(inText), isIncomplete(inFile)) << label << inText << " / " << inFile;
        EXPECT_EQ(inText.empty(), inFile.empty()) << label << inText << " / " << inFile;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Projects, CliResultsBlockTest,
    testing::Values(ResultsCase{"workedExample", [](ProjectData&) {}},
                    ResultsCase{"noPileDiameters", [](ProjectData& p) { p.headDiameter = p.shaftDiameter = 0; }},
                    ResultsCase{"zeroBaseModulus", [](ProjectData& p) { p.baseSoilModulus[1] = 0; }},
                    ResultsCase{"negativeFillHeight", [](ProjectData& p) { p.embankmentHeight = -3; }},
                    ResultsCase{"stressRatioWithoutShaftWeight",
                                [](ProjectData& p) {
                                    p.stopCriterion = kStopStressRatio02;
                                    p.shaftUnitWeight[1] = 0;
                                }},
                    ResultsCase{"unknownCriterion", [](ProjectData& p) { p.stopCriterion = 7; }}),
    [](const auto& info) { return info.param.name; });

// A negative spacing computes as a positive one and used to win a search
// for the narrowest spacing.
TEST(CliSweepRefusals, NegativeValuesNeverPassNorWin)
{
    const CliRun best = runCli("--sweep spacingSquare=-4:3:0.5 --json --best spacingSquare:min "
                               + example("worked-example.txt"));
    ASSERT_EQ(best.exitCode, 0) << best.err;
    EXPECT_EQ(nlohmann::json::parse(best.out)["spacingSquare"], 0.5);
    const CliRun fill = runCli("--sweep embankmentHeight=-3:-1:1 --allowable-settlement 100 "
                               + example("worked-example.txt"));
    EXPECT_EQ(fill.out.find(",true"), std::string::npos) << fill.out;
    EXPECT_NE(fill.err.find("embankmentHeight=-3: 扫描的参数值不应小于0！"), std::string::npos) << fill.err;
}

TEST(CliSweepRefusals, ProfileWithANegativeModulusIsRefusedAndNothingSaved)
{
    const std::string folder = scratchFolder("cli-profile-negative-modulus");
    writeBytes(folder + "/borehole.csv", "name,thickness,qs,Es,gamma\n黏土,1.5,10,-5,18\n粉土,20,12,4,18.5\n");
    const CliRun saved = runCli("--profile " + folder + "/borehole.csv --save-as " + folder + "/out.txt "
                                + example("worked-example.txt"));
    EXPECT_EQ(saved.exitCode, 1);
    EXPECT_NE(saved.err.find("第1层“黏土”的压缩模量Es应大于0。"), std::string::npos) << saved.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/out.txt"));
    const CliRun swept = runCli("--profile " + folder + "/borehole.csv --sweep pileLength=9:10:1 "
                                + example("worked-example.txt"));
    EXPECT_EQ(swept.exitCode, 1);
    EXPECT_TRUE(swept.out.empty()) << swept.out;
}

// Head layers of a hundred thousand metres: each calculation takes about a
// million slices, so two thousand points would run for minutes.
TEST(CliSweepRefusals, SweepOfTooMuchWorkIsRefusedWithWhatItAsked)
{
    const std::string file = scratchFolder("cli-sweep-work") + "/tall.txt";
    ProjectData tall = settlementExample();
    tall.headLength = tall.headThickness[1] = 99990;
    tall.pileLength = 99998;
    ASSERT_TRUE(tall.saveProject(file, fixedSaveTime()).ok);
    const CliRun refused = runCli("--sweep spacingSquare=1:3:0.001 " + file);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("the sweep asks for 2001 points of up to "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("slices in all; at most 1000000000 slices"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty());
}

}  // namespace
