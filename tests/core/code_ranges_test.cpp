#include "engine/code_ranges.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RangeCase {
    const char* name;
    double beta, eta1, eta2;
    double cubeStrength;  // kPa: 1e5 keeps the body far stronger than the soil
    std::vector<std::string> warned;
};

class CodeRangesTest : public testing::TestWithParam<RangeCase> {};

TEST_P(CodeRangesTest, WarnsOfEachFactorOutsideItsRange)
{
    const RangeCase& c = GetParam();
    ProjectData p = capacityExample();
    p.soilReduction = c.beta;
    p.headStrengthFactor = c.eta1;
    p.shaftStrengthFactor = c.eta2;
    p.cubeStrength = c.cubeStrength;
    std::vector<std::string> warned;
    for (const RangeWarning& w : rangeWarnings(p, capacityTerms(p))) {
        warned.push_back(w.quantity);
        EXPECT_TRUE(w.clause.empty()) << w.quantity;
        EXPECT_FALSE(w.text.empty()) << w.quantity;
        EXPECT_FALSE(w.range.empty()) << w.quantity;
    }
    EXPECT_EQ(warned, c.warned);
}

// The worked example's fcu of 1500 kPa: R2 = 0.6 x 1500 x 0.19635 + 62.83
// + 50.06 = 289.62 kN over R1 = 275.48 kN; 500 kPa gives R2 = 171.8 kN.
INSTANTIATE_TEST_SUITE_P(
    Factors, CodeRangesTest,
    testing::Values(RangeCase{"allInRange", 0.5, 0.25, 0.25, 1e5, {}},
                    RangeCase{"betaAtItsLowerLimit", 0.1, 0.25, 0.25, 1e5, {}},
                    RangeCase{"betaJustBelow", 0.0999, 0.25, 0.25, 1e5, {"soilReduction"}},
                    RangeCase{"betaAtItsUpperLimit", 0.8, 0.25, 0.25, 1e5, {}},
                    RangeCase{"betaJustAbove", 0.8001, 0.25, 0.25, 1e5, {"soilReduction"}},
                    RangeCase{"etaAtItsLowerLimit", 0.5, 0.2, 0.2, 1e5, {}},
                    RangeCase{"headEtaJustBelow", 0.5, 0.1999, 0.2, 1e5, {"headStrengthFactor"}},
                    RangeCase{"shaftEtaJustAbove", 0.5, 0.25, 0.2501, 1e5, {"shaftStrengthFactor"}},
                    RangeCase{"workedExamplesFactors", 0.9, 0.7, 0.6, 1500,
                              {"soilReduction", "headStrengthFactor", "shaftStrengthFactor"}},
                    RangeCase{"pileBodyGoverns", 0.5, 0.25, 0.25, 1500, {"governingResistance"}},
                    RangeCase{"weakBodyWithTheExamplesFactors", 0.9, 0.7, 0.6, 500,
                              {"soilReduction", "headStrengthFactor", "shaftStrengthFactor",
                               "governingResistance"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
