#include "engine/time_settlement.h"

#include <algorithm>
#include <cmath>

namespace {

const std::vector<double>& cvOfZone(const TimeSettlementInputs& in, SettlementZone zone)
{
    switch (zone) {
    case SettlementZone::Head: return in.cvHead;
    case SettlementZone::Shaft: return in.cvShaft;
    default: return in.cvBase;
    }
}

double soilModulus(const ProjectData& p, SettlementZone zone, int layer)
{
    switch (zone) {
    case SettlementZone::Head: return p.headSoilModulus[layer];
    case SettlementZone::Shaft: return p.shaftSoilModulus[layer];
    default: return p.baseSoilModulus[layer];
    }
}

// The settlement (mm) of the curve point on a day the curve holds.
double settlementOn(const std::vector<TimeSettlement>& curve, double day)
{
    const auto point = std::find_if(curve.begin(), curve.end(),
                                    [day](const TimeSettlement& t) { return t.day == day; });
    return point == curve.end() ? std::nan("") : point->settlement;
}

double designEnd(const TimeSettlementInputs& in) { return in.pavementDay + in.designPeriod * kDaysPerYear; }

// The days asked for with the pavement day and the end of the design
// period, ascending, each once.
std::vector<double> curveDays(const TimeSettlementInputs& in, std::vector<double> days)
{
    days.push_back(in.pavementDay);
    days.push_back(designEnd(in));
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

// A count for a message: a whole number, or in powers of ten when huge.
std::string countText(double count)
{
    if (!std::isfinite(count))
        return "无穷多";
    if (count < 1e15)
        return std::to_string(static_cast<long long>(count));
    const int exponent = static_cast<int>(std::floor(std::log10(count)));
    return std::to_string(static_cast<int>(count / std::pow(10.0, exponent))) + "×10^" + std::to_string(exponent);
}


}  // namespace

std::vector<double> reportDays(const TimeSettlementInputs& in)
{
    std::vector<double> days{0, in.pavementDay, designEnd(in)};
    for (const FillPoint& point : in.fill)
        days.push_back(point.day);
    for (int k = 0;; ++k) {
        const double day = std::pow(10.0, k / 10.0);
        if (day >= designEnd(in))
            break;
        days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

ConsolidationColumn consolidationColumn(const ProjectData& p, const SettlementDetails& details,
                                        const TimeSettlementInputs& in)
{
    ConsolidationColumn column;
    column.bottomDrained = in.bottomDrained;
    column.load = details.load;
    column.finalSettlement = details.total;
    for (const SettlementSlice& s : details.slices) {
        const double soilCv = cvOfZone(in, s.zone)[s.layer - 1] * kCvUnitInSquareMetresPerDay;
        // k stays the soil's: cv = k Esp / gw grows with the composite modulus.
        const double cv = soilCv * s.modulus / soilModulus(p, s.zone, s.layer);
        column.slices.push_back({s.bottom - s.top, s.modulus, cv, s.stressFactor});
    }
    return column;
}

TimeSettlementOutputs timeSettlementOutputs(const ProjectData& p)
{
    return timeSettlementOutputs(p, readExtensionInputs(p));
}

TimeSettlementOutputs timeSettlementOutputs(const ProjectData& p, const ExtensionInputs& inputs)
{
    TimeSettlementOutputs out;
    out.refusal = inputs.timeSettlementRefusal;
    out.inputs = inputs.timeSettlement;
    const TimeSettlementInputs& in = out.inputs;
    if (!out.refusal.empty() || (!in.hasConsolidation() && !in.hasBearingCheck()))
        return out;
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    if (in.hasConsolidation() && std::isfinite(details.total) && details.total > 0) {
        out.refusal = consolidationWorkFault(timeSettlementWork(p, details, in, reportDays(in)));
        if (!out.refusal.empty())
            return out;
        out.consolidation = timeSettlement(p, details, in, reportDays(in));
        out.refusal = nonFiniteFault(*out.consolidation);
        if (!out.refusal.empty()) {
            out.consolidation.reset();
            return out;
        }
    }
    if (in.hasBearingCheck())
        out.checks = underlyingLayerChecks(p, in.fakBase, in.etaD, details.stopDepth);
    return out;
}

ConsolidationWork timeSettlementWork(const ProjectData& p, const SettlementDetails& details,
                                     const TimeSettlementInputs& in, const std::vector<double>& days)
{
    return consolidationWork(consolidationColumn(p, details, in), {in.fill, in.ms}, curveDays(in, days));
}

std::string consolidationWorkFault(const ConsolidationWork& work)
{
    if (work.cells > kMaxConsolidationCells)
        return "cv.head、cv.shaft、cv.base：沉降过程的计算需要" + countText(work.cells) + "个单元，超过上限"
               + countText(kMaxConsolidationCells) + "个（计算深度过大）！";
    if (!(work.cellSteps() <= kMaxConsolidationCellSteps))
        return "fill：沉降过程的计算需要" + countText(work.cellSteps()) + "个单元步，超过上限"
               + countText(kMaxConsolidationCellSteps) + "个（填土过程的点过多或计算深度过大）！";
    return {};
}

TimeSettlementResult timeSettlement(const ProjectData& p, const SettlementDetails& details,
                                    const TimeSettlementInputs& in, std::vector<double> days)
{
    TimeSettlementResult r;
    r.pavementDay = in.pavementDay;
    r.final = in.ms * details.total;
    days = curveDays(in, std::move(days));
    const ConsolidationColumn column = consolidationColumn(p, details, in);
    const ConsolidationLoading loading{in.fill, in.ms};
    if (!consolidationWorkFault(consolidationWork(column, loading, days)).empty()) {
        r.atPavement = r.postConstruction = r.residual = std::nan("");
        return r;
    }
    r.curve = settlementCurve(column, loading, days);
    r.atPavement = settlementOn(r.curve, in.pavementDay);
    r.postConstruction = settlementOn(r.curve, designEnd(in)) - r.atPavement;
    r.residual = r.final - r.atPavement;
    return r;
}

std::string nonFiniteFault(const TimeSettlementResult& r)
{
    const auto finitePoint = [](const TimeSettlement& t) {
        return std::isfinite(t.settlement) && std::isfinite(t.degree) && std::isfinite(t.fillHeight);
    };
    if (!r.curve.empty() && std::all_of(r.curve.begin(), r.curve.end(), finitePoint) && std::isfinite(r.final)
        && std::isfinite(r.atPavement) && std::isfinite(r.postConstruction) && std::isfinite(r.residual))
        return {};
    return "cv.head、cv.shaft、cv.base、ms：沉降过程的计算结果不是有限的数，"
           "请检查固结系数cv、沉降系数ms及各层的压缩模量和厚度！";
}
