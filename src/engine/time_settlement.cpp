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
    TimeSettlementOutputs out;
    out.refusal = readTimeSettlementInputs(p, out.inputs);
    const TimeSettlementInputs& in = out.inputs;
    if (!out.refusal.empty() || (!in.hasConsolidation() && !in.hasBearingCheck()))
        return out;
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    if (in.hasConsolidation() && std::isfinite(details.total) && details.total > 0)
        out.consolidation = timeSettlement(p, details, in, reportDays(in));
    if (in.hasBearingCheck())
        out.checks = underlyingLayerChecks(p, in.fakBase, in.etaD, details.stopDepth);
    return out;
}

TimeSettlementResult timeSettlement(const ProjectData& p, const SettlementDetails& details,
                                    const TimeSettlementInputs& in, std::vector<double> days)
{
    TimeSettlementResult r;
    r.pavementDay = in.pavementDay;
    r.final = in.ms * details.total;
    days.push_back(in.pavementDay);
    days.push_back(designEnd(in));
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    const ConsolidationLoading loading{in.fill, in.ms};
    r.curve = settlementCurve(consolidationColumn(p, details, in), loading, days);
    r.atPavement = settlementOn(r.curve, in.pavementDay);
    r.postConstruction = settlementOn(r.curve, designEnd(in)) - r.atPavement;
    r.residual = r.final - r.atPavement;
    return r;
}
