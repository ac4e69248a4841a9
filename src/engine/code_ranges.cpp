#include "engine/code_ranges.h"

#include "model/display_rounding.h"
#include "model/file_numbers.h"

namespace {

struct FactorRange {
    const char* quantity;
    double ProjectData::*field;
    const char* name;
    double low, high;
    const char* range;
};

constexpr FactorRange kFactorRanges[] = {
    {"soilReduction", &ProjectData::soilReduction, "桩间土承载力发挥系数β", 0.1, 0.8,
     "淤泥、淤泥质土0.1～0.4，其他土层0.4～0.8"},
    {"headStrengthFactor", &ProjectData::headStrengthFactor, "扩大头桩身强度折减系数η1", 0.20, 0.25,
     "干法0.20～0.25，湿法0.25"},
    {"shaftStrengthFactor", &ProjectData::shaftStrengthFactor, "下部桩身强度折减系数η2", 0.20, 0.25,
     "干法0.20～0.25，湿法0.25"},
};

const char* bodyName(Resistance kind)
{
    return kind == Resistance::HeadBody ? "扩大头桩身强度 R3" : "下部桩身强度 R2";
}

}  // namespace

std::vector<RangeWarning> rangeWarnings(const ProjectData& p, const CapacityTerms& terms)
{
    std::vector<RangeWarning> warnings;
    for (const FactorRange& f : kFactorRanges) {
        const double value = p.*f.field;
        if (value >= f.low && value <= f.high)
            continue;
        warnings.push_back({f.quantity, value, f.range, {},
                            std::string(f.name) + " = " + formatFileNumber(value)
                                + " 超出《建筑地基处理技术规范》JGJ 79—2012 对水泥土搅拌桩给出的取值范围（" + f.range + "）。"});
    }
    if (terms.governing != Resistance::Soil) {
        const double body = resistance(terms, terms.governing);
        // Forces as the report and the windows print them.
        const std::string r1 = displayFixed(terms.bySoil, 2);
        warnings.push_back({"governingResistance", body, "不小于土对桩的支承力 R1 = " + r1 + " kN", {},
                            std::string("单桩承载力由") + bodyName(terms.governing) + " = " + displayFixed(body, 2)
                                + " kN 控制，小于土对桩的支承力 R1 = " + r1
                                + " kN：桩身强度确定的单桩承载力宜不小于桩周土和桩端土提供的承载力。"});
    }
    return warnings;
}
