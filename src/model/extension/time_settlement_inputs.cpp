#include "model/extension/time_settlement_inputs.h"

#include "model/extension/extension_values.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

namespace {

// Bounds the days and years that can be asked for: some three centuries.
constexpr double kLastDay = 100000;
constexpr double kLongestPeriod = 100;
// A bound far beyond any soil, so that every curve stays finite: ms is
// about 1.1 to 1.7.
constexpr double kLargestMs = 10;

std::string fillFault(const std::vector<FillPoint>& fill, double embankmentHeight)
{
    if (fill.front().day != 0)
        return "fill：填土过程应从第0天开始！";
    for (std::size_t i = 0; i < fill.size(); ++i) {
        if (fill[i].height < 0)
            return "fill：填土高度不能为负！";
        if (fill[i].day > kLastDay)
            return "fill：天数应不大于" + formatFileNumber(kLastDay) + "！";
        if (i > 0 && !(fill[i].day > fill[i - 1].day))
            return "fill：填土过程的天数应逐点增大！";
        if (i > 0 && fill[i].height < fill[i - 1].height)
            return "fill：填土高度不得减小（不计卸载与回弹）！";
    }
    if (!nearlyEqual(fill.back().height, embankmentHeight))
        return "fill：最后的填土高度应等于路堤高度h（" + formatFileNumber(embankmentHeight) + " m）！";
    return {};
}

std::string readFill(const ProjectData& p, std::vector<FillPoint>& fill)
{
    const std::string text = p.extension.value("fill");
    fill.clear();
    if (text.empty()) {
        fill.push_back({0, p.embankmentHeight});
        return {};
    }
    for (std::string_view pair : splitValue(text, ',')) {
        const std::size_t colon = pair.find(':');
        FillPoint point;
        if (colon == std::string_view::npos || !parseFileNumber(trimmedValue(pair.substr(0, colon)), point.day)
            || !parseFileNumber(trimmedValue(pair.substr(colon + 1)), point.height))
            return "fill：填土过程应为以逗号分隔的“天数:填土高度”，如0:0,90:1.5,180:3！";
        fill.push_back(point);
    }
    return fillFault(fill, p.embankmentHeight);
}

std::string readCodes(const ExtensionSource& source, TimeSettlementInputs& in)
{
    in.roadClass = source.text("roadClass");
    in.location = source.text("location");
    if (!in.roadClass.empty() && in.roadClass != "highway" && in.roadClass != "second")
        return "roadClass：公路等级应为highway（高速公路、一级公路）或second（二级公路）！";
    if (!in.location.empty() && in.location != "abutment" && in.location != "culvert"
        && in.location != "general")
        return "location：路段应为abutment（桥台与路堤相邻处）、culvert（涵洞、通道处）或general（一般路段）！";
    in.allowablePostConstruction = allowanceOf(in.roadClass, in.location);
    std::optional<double> typed;
    const std::string fault = readOptionalNumber(source, "allowablePostConstruction", "容许工后沉降应为大于0的数（mm）！",
                                                 [](double v) { return v > 0; }, typed);
    if (typed)
        in.allowablePostConstruction = typed;
    return fault;
}

}  // namespace

std::optional<double> allowanceOf(const std::string& roadClass, const std::string& location)
{
    const char* locations[] = {"abutment", "culvert", "general"};
    const double highway[] = {100, 200, 300};
    const double second[] = {200, 300, 500};
    for (int i = 0; i < 3; ++i) {
        if (location != locations[i])
            continue;
        if (roadClass == "highway")
            return highway[i];
        if (roadClass == "second")
            return second[i];
    }
    return std::nullopt;
}

namespace {

// The code and name pairs of both tables; no code is a name of the other.
template <class Found>
std::string lookUpCode(const std::string& text, Found found)
{
    using Codes = std::span<const AllowanceCode>;
    for (Codes codes : {Codes(kRoadClassCodes), Codes(kLocationCodes)})
        for (const AllowanceCode& c : codes)
            if (const char* match = found(c, text))
                return match;
    return text;
}

}  // namespace

std::string allowanceCodeName(const std::string& code)
{
    return lookUpCode(code, [](const AllowanceCode& c, const std::string& t) { return t == c.code ? c.name : nullptr; });
}

std::string allowanceCodeOf(const std::string& name)
{
    return lookUpCode(name, [](const AllowanceCode& c, const std::string& t) { return t == c.name ? c.code : nullptr; });
}

std::string readTimeSettlementInputs(const ExtensionSource& source, TimeSettlementInputs& in)
{
    const auto msAllowed = [](double v) { return v >= 1 && v <= kLargestMs; };
    const auto notNegative = [](double v) { return v >= 0; };
    // The demands are read first and whatever else is refused: a refused cv
    // or fill then fails them rather than hides them.
    std::string demandFault;
    for (const std::string& fault : {
             readLayerList(source, catalogued("fak.base"), in.fakBase),
             readNumber(source, "etaD", "深度修正系数ηd应为不小于0的数！", notNegative, in.etaD), readCodes(source, in)}) {
        if (demandFault.empty())
            demandFault = fault;
    }
    double drained = 0;
    for (const std::string& fault : {
             readNumber(source, "ms", "沉降系数ms应为不小于1且不大于10的数！", msAllowed, in.ms),
             readLayerList(source, catalogued("cv.head"), in.cvHead),
             readLayerList(source, catalogued("cv.shaft"), in.cvShaft),
             readLayerList(source, catalogued("cv.base"), in.cvBase),
             readNumber(source, "bottomDrained", "应为0（底面不排水）或1（底面排水）！",
                        [](double v) { return v == 0 || v == 1; }, drained),
             readFill(source.record(), in.fill)}) {
        if (!fault.empty())
            return fault;
    }
    in.bottomDrained = drained == 1;
    if (in.hasConsolidation() && (in.cvHead.empty() || in.cvShaft.empty() || in.cvBase.empty()))
        return std::string(in.cvHead.empty() ? "cv.head" : in.cvShaft.empty() ? "cv.shaft" : "cv.base")
               + "：计算工后沉降需给出" + zoneName(InputZone::Head) + "、" + zoneName(InputZone::Shaft) + "与"
               + zoneName(InputZone::Base) + "各层的" + inputNoun(catalogued("cv.head")) + "！";
    in.pavementDay = in.fill.back().day;
    for (const std::string& fault : {
             readNumber(source, "pavementDay", "路面完工时间应为不早于填土完成（最后一个填土点）的天数！",
                        [&](double v) { return v >= in.fill.back().day && v <= kLastDay; }, in.pavementDay),
             readNumber(source, "designPeriod", "设计使用年限应为大于0且不大于100的年数！",
                        [](double v) { return v > 0 && v <= kLongestPeriod; }, in.designPeriod)}) {
        if (!fault.empty())
            return fault;
    }
    return demandFault;
}
