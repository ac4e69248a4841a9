// Bearing check of the soil under the pile tips: at the top of the base zone
// and at the top of every base layer weaker (smaller fak) than the one
// above it, within the settlement's calculation depth,
//   pz + pcz <= faz = fak + etaD gammaM (d - 0.5),
// pz the additional stress there (the sigma z = I p0 of the settlement),
// pcz the self-weight stress of the soil above (as the settlement's sigma c),
// gammaM = pcz / d the weighted unit weight above, d the depth below the
// pile tops. Stresses kPa, depths m.
#pragma once

#include "model/project_data.h"

#include <vector>

struct UnderlyingLayerCheck {
    int layer = 0;       // base layer 1..
    double depth = 0;    // d (m)
    double pz = 0;       // kPa
    double pcz = 0;      // kPa
    double fak = 0;      // kPa
    double unitWeightAbove = 0;  // gammaM (kN/m3)
    double faz = 0;      // kPa
    bool ok = false;
};

// The checks from the top down; fak holds one value per base layer (a
// shorter list checks the layers it covers), stopDepth the bottom of the
// settlement's last slice.
std::vector<UnderlyingLayerCheck> underlyingLayerChecks(const ProjectData& p,
                                                        const std::vector<double>& fak,
                                                        double etaD, double stopDepth);
