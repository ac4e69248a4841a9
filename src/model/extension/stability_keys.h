// The keys of the extension block that hold the inputs of the embankment's
// stability: the strength of each layer and of the fill, the shear strength
// of the pile body, the width of the reinforced zone and the required factor.
#pragma once

inline constexpr const char* kStabilityKeys[] = {
    "c.head", "phi.head", "c.shaft",   "phi.shaft",     "c.base",           "phi.base",
    "c.fill", "phi.fill", "pileShear", "treatedMargin", "stabilityRequired",
};
