#include "model/extension/stability_inputs.h"

#include "model/extension/extension_values.h"
#include "model/extension/soil_property_limits.h"

#include <initializer_list>
#include <string_view>

namespace {

struct ZoneKeys {
    const char* c;
    const char* phi;
    std::vector<double> StabilityInputs::*cValues;
    std::vector<double> StabilityInputs::*phiValues;
};

std::string readZone(const ExtensionSource& source, const ZoneKeys& zone, StabilityInputs& in)
{
    std::vector<double>& c = in.*zone.cValues;
    std::vector<double>& phi = in.*zone.phiValues;
    for (const std::string& fault :
         {readLayerList(source, catalogued(zone.c), c), readLayerList(source, catalogued(zone.phi), phi)}) {
        if (!fault.empty())
            return fault;
    }
    if (c.empty() != phi.empty())
        return std::string(c.empty() ? zone.c : zone.phi) + "：应与" + (c.empty() ? zone.phi : zone.c)
               + "同时给出（每层一个）！";
    return {};
}

// A pair of single numbers that are given together or not at all.
std::string readFillStrength(const ExtensionSource& source, StabilityInputs& in)
{
    double c = 0, phi = 0;
    for (const std::string& fault :
         {readNumber(source, "c.fill", "填土黏聚力c应为不小于0的数（kPa）！", isAllowedCohesion, c),
          readNumber(source, "phi.fill", "填土内摩擦角φ应为不小于0且小于90的数（°）！", isAllowedFrictionAngle, phi)}) {
        if (!fault.empty())
            return fault;
    }
    const bool hasC = source.gives("c.fill");
    const bool hasPhi = source.gives("phi.fill");
    if (hasC != hasPhi)
        return hasC ? "phi.fill：应与c.fill同时给出！" : "c.fill：应与phi.fill同时给出！";
    if (hasC) {
        in.cFill = c;
        in.phiFill = phi;
    }
    return {};
}

}  // namespace

bool StabilityInputs::asked() const
{
    return !cHead.empty() || !cShaft.empty() || !cBase.empty() || cFill || required;
}

std::string readStabilityInputs(const ExtensionSource& source, StabilityInputs& in)
{
    using In = StabilityInputs;
    const ZoneKeys zones[] = {
        {"c.head", "phi.head", &In::cHead, &In::phiHead},
        {"c.shaft", "phi.shaft", &In::cShaft, &In::phiShaft},
        {"c.base", "phi.base", &In::cBase, &In::phiBase},
    };
    for (const ZoneKeys& zone : zones)
        if (std::string fault = readZone(source, zone, in); !fault.empty())
            return fault;
    for (const std::string& fault : {
             readFillStrength(source, in),
             readOptionalNumber(source, "pileShear", "桩体抗剪强度τp应为不小于0的数（kPa）！",
                                [](double v) { return v >= 0; }, in.pileShear),
             readNumber(source, "treatedMargin", "加固区超出坡脚的宽度应为一个数（m，负数表示止于坡脚以内）！",
                        [](double) { return true; }, in.treatedMargin),
             readOptionalNumber(source, "stabilityRequired", "稳定安全系数要求应为不小于1的数！",
                                [](double v) { return v >= 1; }, in.required)}) {
        if (!fault.empty())
            return fault;
    }
    return {};
}
