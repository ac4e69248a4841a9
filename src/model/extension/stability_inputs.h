// The inputs of the embankment's stability as the extension block holds
// them (input_catalogue.h):
//   c.head, c.shaft, c.base    c (kPa) of each layer of the zone
//   phi.head, phi.shaft, phi.base  phi (degrees) of each layer
//   c.fill, phi.fill           the fill's c (kPa) and phi (degrees)
//   pileShear                  tau_p (kPa), the shear strength of the pile body
//   treatedMargin              how far the reinforced zone reaches beyond
//                              each toe (m; default 0, negative inside)
//   stabilityRequired          the required factor (no check without it)
#pragma once

#include "model/extension/extension_values.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct StabilityInputs {
    std::vector<double> cHead, phiHead, cShaft, phiShaft, cBase, phiBase;  // one per layer, or none
    std::optional<double> cFill, phiFill;
    std::optional<double> pileShear;
    double treatedMargin = 0;
    std::optional<double> required;

    // Without any strength nor a required factor nothing of the stability is computed.
    bool asked() const;
};

// The inputs of the record's extension block, checked against its layer
// counts: a c below 0, a phi below 0 or not below 90, a list of the wrong
// length, a text that is not a number (or not a finite one), a pair of which
// one half is missing, tau_p below 0 or a required factor below 1 is
// refused. The refusal (in Chinese, starting with the key), or an empty text.
std::string readStabilityInputs(const ExtensionSource& source, StabilityInputs& inputs);
