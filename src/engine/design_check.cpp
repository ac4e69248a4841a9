#include "engine/design_check.h"

#include "engine/layered_settlement.h"
#include "engine/time_settlement.h"
#include "model/input_faults.h"

#include <algorithm>
#include <cmath>

DesignResults computeDesign(ProjectData& p)
{
    DesignResults r;
    r.equivalentDiameter = p.equivalentDiameter;
    r.compositeCapacity = p.computeCapacity();
    r.pileCapacity = p.pileCapacity;
    r.manualCompositeCapacity =
        p.manualCapacityFlag == 1 ? p.computeCapacityManual() : layered_settlement::kNotANumber;
    r.settlementDeformationRatio = p.settlementByDeformationRatio();
    r.settlementStressRatio02 = p.settlementByStressRatio(0.2);
    r.settlementStressRatio01 = p.settlementByStressRatio(0.1);
    return r;
}

std::string inputFault(const ProjectData& p)
{
    using namespace input_faults;
    for (const std::string& fault :
         {pileFault(p.headDiameter, p.shaftDiameter, p.headLength, p.pileLength,
                    {p.headLayerCount, p.shaftLayerCount, p.baseLayerCount}),
          missingLayersFault(p.headLayerCount, p.shaftLayerCount), spacingFault(p.equivalentDiameter),
          layerSumFault(p)}) {
        if (!fault.empty())
            return fault;
    }
    return {};
}

namespace {

bool capacityShowable(const ProjectData& p, const DesignResults& r)
{
    using namespace input_faults;
    if (p.manualCapacityFlag == 1)
        return isShowableComposite(r.manualCompositeCapacity);
    return isShowableCapacity(r.pileCapacity) && isShowableComposite(r.compositeCapacity);
}

bool isKnownCriterion(int criterion)
{
    return criterion == kStopDeformationRatio || criterion == kStopStressRatio02
           || criterion == kStopStressRatio01;
}

}  // namespace

std::string resultFault(const ProjectData& p, const DesignResults& r)
{
    // A fill settles its ground down: a settlement of 0 or less (a fill of
    // negative height) is no design, however small the demand it meets.
    const double settlement = settlementUnder(r, p.stopCriterion);
    const bool settlementShowable = !isKnownCriterion(p.stopCriterion)
        || (input_faults::isShowableSettlement(settlement) && settlement > 0);
    if (capacityShowable(p, r) && settlementShowable)
        return {};
    return input_faults::kParametersWrong;
}

double settlementUnder(const DesignResults& r, int criterion)
{
    switch (criterion) {
    case kStopDeformationRatio: return r.settlementDeformationRatio;
    case kStopStressRatio02: return r.settlementStressRatio02;
    case kStopStressRatio01: return r.settlementStressRatio01;
    default: return layered_settlement::kNotANumber;
    }
}

namespace {

// The demands of the settlement against time and of the soil under the
// tips. Inputs the record refuses fail a demand rather than pass it unseen.
void checkAfterConstruction(const ProjectData& p, const DesignDemands& demands, DesignChecks& c)
{
    TimeSettlementInputs in;
    const bool readable = readTimeSettlementInputs(p, in).empty();
    c.allowablePostConstruction = demands.allowablePostConstruction ? demands.allowablePostConstruction
                                                                    : in.allowablePostConstruction;
    if (!c.allowablePostConstruction && !in.hasBearingCheck())
        return;
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    if (c.allowablePostConstruction) {
        const bool computable = readable && in.hasConsolidation() && c.settlement > 0;
        c.postConstruction = computable ? timeSettlement(p, details, in, {}).postConstruction
                                        : layered_settlement::kNotANumber;
        c.postConstructionOk = c.postConstruction <= *c.allowablePostConstruction;
    }
    if (in.hasBearingCheck()) {
        c.underlyingChecks = underlyingLayerChecks(p, in.fakBase, in.etaD, details.stopDepth);
        c.underlyingOk = readable && std::all_of(c.underlyingChecks.begin(), c.underlyingChecks.end(),
                                                 [](const UnderlyingLayerCheck& u) { return u.ok; });
    }
}

}  // namespace

DesignChecks checkDesign(const ProjectData& p, const DesignResults& r, const DesignDemands& demands)
{
    DesignChecks c;
    c.embankmentLoad = layered_settlement::embankmentLoad(p);
    c.bearingDemand = c.embankmentLoad + demands.surcharge;
    c.bearingCapacity = p.manualCapacityFlag == 1 ? r.manualCompositeCapacity : r.compositeCapacity;
    c.bearingOk = c.bearingCapacity >= c.bearingDemand;
    c.settlement = settlementUnder(r, p.stopCriterion);
    if (demands.allowableSettlement)
        c.settlementOk = c.settlement <= *demands.allowableSettlement;
    checkAfterConstruction(p, demands, c);
    return c;
}

std::string demandsFault(const DesignDemands& demands)
{
    if (!std::isfinite(demands.surcharge) || demands.surcharge < 0)
        return "附加荷载q应为不小于0的数！";
    if (demands.allowableSettlement
        && !(std::isfinite(*demands.allowableSettlement) && *demands.allowableSettlement > 0))
        return "容许沉降[s]应为大于0的数！";
    if (demands.allowablePostConstruction
        && !(std::isfinite(*demands.allowablePostConstruction) && *demands.allowablePostConstruction > 0))
        return "容许工后沉降[s工后]应为大于0的数！";
    return {};
}
