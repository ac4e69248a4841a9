#include "model/extension/extension_inputs.h"

const std::string& ExtensionInputs::refusal() const
{
    if (!timeSettlementRefusal.empty())
        return timeSettlementRefusal;
    if (!stabilityRefusal.empty())
        return stabilityRefusal;
    return settlementCorrectionRefusal;
}

ExtensionInputs readExtensionInputs(const ExtensionSource& source)
{
    ExtensionInputs in;
    in.timeSettlementRefusal = readTimeSettlementInputs(source, in.timeSettlement);
    in.stabilityRefusal = readStabilityInputs(source, in.stability);
    in.settlementCorrectionRefusal = readSettlementCorrection(source, in.settlementCorrection);
    in.givesAllowablePostConstruction = source.gives("allowablePostConstruction");
    in.givesFakBase = source.gives("fak.base");
    in.givesStabilityRequired = source.gives("stabilityRequired");
    return in;
}
