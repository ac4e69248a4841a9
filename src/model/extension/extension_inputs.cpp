#include "model/extension/extension_inputs.h"

#include "model/extension/extension_values.h"

const std::string& ExtensionInputs::refusal() const
{
    if (!timeSettlementRefusal.empty())
        return timeSettlementRefusal;
    if (!stabilityRefusal.empty())
        return stabilityRefusal;
    return settlementCorrectionRefusal;
}

ExtensionInputs readExtensionInputs(const ProjectData& p)
{
    ExtensionInputs in;
    in.timeSettlementRefusal = readTimeSettlementInputs(p, in.timeSettlement);
    in.stabilityRefusal = readStabilityInputs(p, in.stability);
    in.settlementCorrectionRefusal = readSettlementCorrection(p, in.settlementCorrection);
    in.givesAllowablePostConstruction = !p.extension.value("allowablePostConstruction").empty();
    in.givesFakBase = !p.extension.value("fak.base").empty();
    in.givesStabilityRequired = !p.extension.value("stabilityRequired").empty();
    return in;
}
