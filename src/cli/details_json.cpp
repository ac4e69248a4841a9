#include "cli/details_json.h"

#include "cli/result_output.h"

#include <cmath>

namespace {

const char* resistanceName(Resistance kind)
{
    switch (kind) {
    case Resistance::ShaftBody: return "shaftBody";
    case Resistance::HeadBody: return "headBody";
    default: return "soil";
    }
}

const char* zoneName(SettlementZone zone)
{
    switch (zone) {
    case SettlementZone::Shaft: return "shaft";
    case SettlementZone::Base: return "base";
    default: return "head";
    }
}

const char* stopReasonName(StopReason reason)
{
    switch (reason) {
    case StopReason::Criterion: return "criterion";
    case StopReason::SliceLimit: return "sliceLimit";
    default: return "layersExhausted";
    }
}

nlohmann::ordered_json sliceJson(const SettlementSlice& s)
{
    return {{"zone", zoneName(s.zone)},
            {"layer", s.layer},
            {"top", jsonNumber(s.top)},
            {"bottom", jsonNumber(s.bottom)},
            {"stressFactor", jsonNumber(s.stressFactor)},
            {"additionalStress", jsonNumber(s.additionalStress)},
            {"modulus", jsonNumber(s.modulus)},
            {"settlement", jsonNumber(s.settlement)},
            {"cumulative", jsonNumber(s.cumulative)}};
}

}  // namespace

nlohmann::json jsonNumber(double value)
{
    return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

void addResultsJson(const DesignResults& r, nlohmann::ordered_json& j)
{
    j["equivalentDiameter"] = jsonNumber(r.equivalentDiameter);
    j["pileCapacity"] = jsonNumber(r.pileCapacity);
    j["compositeCapacity"] = jsonNumber(r.compositeCapacity);
    j["manualCompositeCapacity"] = jsonNumber(r.manualCompositeCapacity);
    j["settlement"] = {{"deformationRatio", jsonNumber(r.settlementDeformationRatio)},
                       {"stressRatio02", jsonNumber(r.settlementStressRatio02)},
                       {"stressRatio01", jsonNumber(r.settlementStressRatio01)}};
}

nlohmann::ordered_json checkJson(const SweepPoint& point, std::optional<bool> ok)
{
    return point.valid() && ok ? nlohmann::ordered_json(*ok) : nlohmann::ordered_json(nullptr);
}

namespace {

const char* verdictKey(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Passes: return "passes";
    case Verdict::Fails: return "fails";
    default: return "unchecked";
    }
}

nlohmann::ordered_json outcomeJson(const CheckOutcome& o)
{
    nlohmann::ordered_json j = {{"check", checkKey(o.kind)},
                                {"value", jsonNumber(o.value)},
                                {"limit", jsonNumber(o.limit)},
                                {"limitSource", o.limitSource.empty() ? nlohmann::json(nullptr) : nlohmann::json(o.limitSource)},
                                {"ok", o.ok ? nlohmann::json(*o.ok) : nlohmann::json(nullptr)},
                                {"reason", o.reason.empty() ? nlohmann::json(nullptr) : nlohmann::json(o.reason)}};
    if (o.kind == CheckKind::UnderlyingLayer)
        j["depth"] = jsonNumber(o.depth);
    return j;
}

}  // namespace

nlohmann::ordered_json assessmentJson(const DesignChecks& checks)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CheckOutcome& o : checks.outcomes)
        list.push_back(outcomeJson(o));
    nlohmann::ordered_json j = {{"passes", checks.passes()}, {"verdict", verdictKey(checks.verdict())},
                                {"checks", std::move(list)}};
    if (checks.settlementCorrection) {
        j["settlement"] = jsonNumber(checks.settlement);
        j["psiS"] = jsonNumber(*checks.settlementCorrection);
        j["correctedSettlement"] = jsonNumber(*checks.settlementCorrection * checks.settlement);
    }
    return j;
}

nlohmann::ordered_json adoptedCapacityJson(const SweepPoint& point)
{
    return point.valid() ? nlohmann::ordered_json(jsonNumber(point.checks.bearingCapacity)) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json capacityTermsJson(const CapacityTerms& t)
{
    return {{"headFriction", jsonNumber(t.headFriction)},
            {"shaftFriction", jsonNumber(t.shaftFriction)},
            {"stepBearing", jsonNumber(t.stepBearing)},
            {"tipBearing", jsonNumber(t.tipBearing)},
            {"bySoil", jsonNumber(t.bySoil)},
            {"byShaftBody", jsonNumber(t.byShaftBody)},
            {"byHeadBody", jsonNumber(t.byHeadBody)},
            {"governing", resistanceName(t.governing)},
            {"replacementRatio", jsonNumber(t.composite.replacementRatio)},
            {"headArea", jsonNumber(t.composite.headArea)}};
}

bool writeSettlementDetailsJson(const SettlementDetails& d, ResultOutput& out)
{
    nlohmann::ordered_json head = {{"total", jsonNumber(d.total)},
                                   {"head", jsonNumber(d.head)},
                                   {"shaft", jsonNumber(d.shaft)},
                                   {"base", jsonNumber(d.base)},
                                   {"stopDepth", jsonNumber(d.stopDepth)},
                                   {"stoppedBy", stopReasonName(d.stoppedBy)}};
    std::string text = head.dump();
    text.pop_back();
    if (!out.write(text + ",\"slices\":["))
        return false;
    for (size_t i = 0; i < d.slices.size(); ++i) {
        if (!out.write((i ? "," : "") + sliceJson(d.slices[i]).dump()))
            return false;
    }
    return out.write("]}");
}
