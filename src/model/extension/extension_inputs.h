// The extension block read once into typed values: the inputs of the
// settlement against time, of the stability and the settlement's correction
// psiS, each with the refusal of its reader. Read when a project is loaded
// or its values set; every calculation and check then takes these values.
#pragma once

#include "model/extension/stability_inputs.h"
#include "model/extension/time_settlement_inputs.h"
#include "model/project_data.h"

#include <optional>
#include <string>

struct ExtensionInputs {
    TimeSettlementInputs timeSettlement;
    std::string timeSettlementRefusal;
    StabilityInputs stability;
    std::string stabilityRefusal;
    std::optional<double> settlementCorrection;  // psiS, above 0
    std::string settlementCorrectionRefusal;
    // Whether the block gives a value at all, read or refused: a refused
    // value still asks for its check, which is then not made.
    bool givesAllowablePostConstruction = false;
    bool givesFakBase = false;
    bool givesStabilityRequired = false;

    // The first refusal, of the settlement against time, the stability or
    // psiS in that order; empty when every value reads.
    const std::string& refusal() const;
};

ExtensionInputs readExtensionInputs(const ExtensionSource& source);
