#include "engine/design_check.h"

#include "engine/layered_settlement.h"
#include "engine/stability.h"
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

constexpr double kNotANumber = layered_settlement::kNotANumber;

// An allowance after construction: typed with the checks, by the project,
// or from its road class and location (a refused typed value asks too).
bool asksPostConstruction(const ExtensionInputs& in, std::optional<double> allowance)
{
    return allowance || in.givesAllowablePostConstruction;
}

CheckOutcome made(CheckKind kind, double value, double limit, bool ok, std::string limitSource)
{
    return {kind, value, limit, ok, {}, std::move(limitSource), kNotANumber};
}

CheckOutcome notMade(CheckKind kind, double limit, std::string reason, std::string limitSource = {})
{
    return {kind, kNotANumber, limit, std::nullopt, std::move(reason), std::move(limitSource), kNotANumber};
}

// Where [s工后] comes from: the demand typed with the checks, the project's
// own value, or the table by road class and location.
std::string postConstructionSource(const ExtensionInputs& given, const DesignDemands& demands,
                                   const TimeSettlementInputs& in)
{
    if (demands.allowablePostConstruction)
        return "设计要求";
    if (given.givesAllowablePostConstruction)
        return "工程输入";
    return "按" + allowanceCodeName(in.roadClass) + "、" + allowanceCodeName(in.location) + "查表";
}

std::string postConstructionReason(const TimeSettlementOutputs& out, double settlement)
{
    if (!out.refusal.empty())
        return out.refusal;
    if (!out.inputs.hasConsolidation())
        return "未给出各层固结系数cv，工后沉降无法计算";
    if (!(std::isfinite(settlement) && settlement > 0))
        return "沉降未能算出，工后沉降无法计算";
    return "工后沉降未能算出";
}

void checkPostConstruction(const ExtensionInputs& in, const DesignDemands& demands, const TimeSettlementOutputs& out,
                           DesignChecks& c)
{
    const std::string source = postConstructionSource(in, demands, out.inputs);
    const double limit = c.allowablePostConstruction.value_or(kNotANumber);
    c.postConstruction = out.consolidation ? out.consolidation->postConstruction : kNotANumber;
    if (out.refusal.empty() && std::isfinite(c.postConstruction) && c.allowablePostConstruction) {
        c.postConstructionOk = c.postConstruction <= limit;
        c.outcomes.push_back(made(CheckKind::PostConstruction, c.postConstruction, limit, *c.postConstructionOk, source));
    } else {
        c.outcomes.push_back(notMade(CheckKind::PostConstruction, limit, postConstructionReason(out, c.settlement),
                                     c.allowablePostConstruction ? source : std::string()));
    }
}

void checkUnderlyingLayers(const TimeSettlementOutputs& out, DesignChecks& c)
{
    const char* source = "faz = fak + ηd·γm·(d − 0.5)";
    if (!out.refusal.empty() || !out.checks || out.checks->empty()) {
        c.outcomes.push_back(notMade(CheckKind::UnderlyingLayer, kNotANumber,
                                     out.refusal.empty() ? "计算深度未达桩端以下土层，下卧层无法验算" : out.refusal));
        return;
    }
    c.underlyingChecks = *out.checks;
    c.underlyingOk = true;
    for (const UnderlyingLayerCheck& u : c.underlyingChecks) {
        CheckOutcome outcome = made(CheckKind::UnderlyingLayer, u.pz + u.pcz, u.faz, u.ok, source);
        outcome.depth = u.depth;
        c.outcomes.push_back(outcome);
        c.underlyingOk = *c.underlyingOk && u.ok;
    }
}

// The demands of the settlement against time and of the soil under the
// tips, from the same curve and checks every output shows (computed only
// when one is asked and none is given). A demand whose inputs are refused
// or missing is not made, with the reason, never passed.
void checkAfterConstruction(const ProjectData& p, const ExtensionInputs& in, const DesignDemands& demands,
                            const TimeSettlementOutputs* given, DesignChecks& c)
{
    c.allowablePostConstruction = demands.allowablePostConstruction ? demands.allowablePostConstruction
                                                                    : in.timeSettlement.allowablePostConstruction;
    const bool postConstructionAsked = asksPostConstruction(in, c.allowablePostConstruction);
    const bool underlyingAsked = in.givesFakBase;
    if (!postConstructionAsked && !underlyingAsked)
        return;
    const TimeSettlementOutputs computed = given ? TimeSettlementOutputs{} : timeSettlementOutputs(p, in);
    const TimeSettlementOutputs& out = given ? *given : computed;
    if (postConstructionAsked)
        checkPostConstruction(in, demands, out, c);
    if (underlyingAsked)
        checkUnderlyingLayers(out, c);
}

// The least factor of safety of the slip circles, under the surcharge on
// the crest, against the required one.
CheckOutcome stabilityOutcomeCheck(const StabilityOutcome& s)
{
    const double required = s.inputs.required.value_or(kNotANumber);
    const char* source = "stabilityRequired";
    if (s.state == StabilityState::Checked && s.inputs.required)
        return made(CheckKind::Stability, s.result->factor, required, s.result->factor >= required, source);
    return notMade(CheckKind::Stability, required, s.reason.empty() ? "整体稳定未能计算" : s.reason, source);
}

void checkBearingAndSettlement(const ExtensionInputs& in, const DesignDemands& demands, DesignChecks& c)
{
    c.bearingOk = c.bearingCapacity >= c.bearingDemand;
    if (std::isfinite(c.bearingCapacity))
        c.outcomes.push_back(made(CheckKind::Bearing, c.bearingCapacity, c.bearingDemand, c.bearingOk, "p0 + q"));
    else
        c.outcomes.push_back(notMade(CheckKind::Bearing, c.bearingDemand, "复合地基承载力未能算出", "p0 + q"));
    if (!demands.allowableSettlement)
        return;
    c.settlementCorrection = in.settlementCorrection;
    const std::string& correctionFault = in.settlementCorrectionRefusal;
    const double checked = c.settlement * c.settlementCorrection.value_or(1.0);
    if (correctionFault.empty() && std::isfinite(checked)) {
        c.settlementOk = checked <= *demands.allowableSettlement;
        c.outcomes.push_back(made(CheckKind::Settlement, checked, *demands.allowableSettlement, *c.settlementOk, "设计要求"));
    } else {
        c.outcomes.push_back(notMade(CheckKind::Settlement, *demands.allowableSettlement,
                                     correctionFault.empty() ? "沉降未能算出" : correctionFault, "设计要求"));
    }
}

DesignChecks assess(const ProjectData& p, const DesignResults& r, const DesignDemands& demands,
                    const ExtensionInputs& in, const TimeSettlementOutputs* afterConstruction)
{
    DesignChecks c;
    c.embankmentLoad = layered_settlement::embankmentLoad(p);
    c.bearingDemand = c.embankmentLoad + demands.surcharge;
    c.bearingCapacity = p.manualCapacityFlag == 1 ? r.manualCompositeCapacity : r.compositeCapacity;
    c.settlement = settlementUnder(r, p.stopCriterion);
    checkBearingAndSettlement(in, demands, c);
    checkAfterConstruction(p, in, demands, afterConstruction, c);
    c.stability = stabilityOutcome(p, in, demands.surcharge);
    if (const std::optional<CheckOutcome> stability = stabilityCheck(in, c.stability))
        c.outcomes.push_back(*stability);
    return c;
}

}  // namespace

DesignChecks checkDesign(const ProjectData& p, const DesignResults& r, const DesignDemands& demands)
{
    return checkDesign(p, r, demands, readExtensionInputs(p));
}

DesignChecks checkDesign(const ProjectData& p, const DesignResults& r, const DesignDemands& demands,
                         const ExtensionInputs& inputs)
{
    return assess(p, r, demands, inputs, nullptr);
}

DesignChecks checkDesign(const ProjectData& p, const DesignResults& r, const DesignDemands& demands,
                         const ExtensionInputs& inputs, const TimeSettlementOutputs& afterConstruction)
{
    return assess(p, r, demands, inputs, &afterConstruction);
}

std::optional<CheckOutcome> stabilityCheck(const ExtensionInputs& inputs, const StabilityOutcome& outcome)
{
    if (!inputs.givesStabilityRequired)
        return std::nullopt;
    return stabilityOutcomeCheck(outcome);
}

bool projectAsksForChecks(const ExtensionInputs& in)
{
    return asksPostConstruction(in, in.timeSettlement.allowablePostConstruction) || in.givesFakBase
           || in.givesStabilityRequired;
}

double DesignChecks::stabilityFactor() const
{
    return stability.result ? stability.result->factor : kNotANumber;
}

Verdict DesignChecks::verdict() const
{
    if (!failedKinds().empty())
        return Verdict::Fails;
    return uncheckedKinds().empty() ? Verdict::Passes : Verdict::Unchecked;
}

namespace {

std::vector<CheckKind> kindsWhere(const std::vector<CheckOutcome>& outcomes, bool (*test)(const CheckOutcome&))
{
    std::vector<CheckKind> kinds;
    for (const CheckOutcome& o : outcomes)
        if (test(o) && std::find(kinds.begin(), kinds.end(), o.kind) == kinds.end())
            kinds.push_back(o.kind);
    return kinds;
}

}  // namespace

const CheckOutcome* DesignChecks::outcome(CheckKind kind) const
{
    const auto found = std::find_if(outcomes.begin(), outcomes.end(), [kind](const CheckOutcome& o) { return o.kind == kind; });
    return found == outcomes.end() ? nullptr : &*found;
}

std::vector<CheckKind> DesignChecks::failedKinds() const
{
    return kindsWhere(outcomes, [](const CheckOutcome& o) { return o.ok == false; });
}

std::vector<CheckKind> DesignChecks::uncheckedKinds() const
{
    return kindsWhere(outcomes, [](const CheckOutcome& o) { return !o.ok.has_value(); });
}

const char* checkKey(CheckKind kind)
{
    switch (kind) {
    case CheckKind::Settlement: return "settlement";
    case CheckKind::PostConstruction: return "postConstruction";
    case CheckKind::UnderlyingLayer: return "underlyingLayer";
    case CheckKind::Stability: return "stability";
    default: return "bearing";
    }
}

const char* checkName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::Settlement: return "沉降";
    case CheckKind::PostConstruction: return "工后沉降";
    case CheckKind::UnderlyingLayer: return "下卧层承载力";
    case CheckKind::Stability: return "整体稳定";
    default: return "复合地基承载力";
    }
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
