#include "engine/underlying_layer.h"

#include "engine/layered_settlement.h"

#include <algorithm>

namespace {

UnderlyingLayerCheck checkAt(const ProjectData& p, int layer, double depth, double pcz,
                             double fak, double etaD)
{
    UnderlyingLayerCheck c;
    c.layer = layer;
    c.depth = depth;
    c.pz = p.embankmentStressFactor(depth) * layered_settlement::embankmentLoad(p);
    c.pcz = pcz;
    c.fak = fak;
    c.unitWeightAbove = pcz / depth;
    c.faz = fak + etaD * c.unitWeightAbove * (depth - 0.5);
    c.ok = c.pz + c.pcz <= c.faz;
    return c;
}

}  // namespace

std::vector<UnderlyingLayerCheck> underlyingLayerChecks(const ProjectData& p,
                                                        const std::vector<double>& fak,
                                                        double etaD, double stopDepth)
{
    std::vector<UnderlyingLayerCheck> checks;
    const int layers = std::min(usedLayers(p.baseLayerCount), static_cast<int>(fak.size()));
    double depth = p.pileLength;
    double pcz = layered_settlement::selfWeightAtTips(p);
    for (int k = 1; k <= layers && depth < stopDepth; ++k) {
        if (k == 1 || fak[k - 1] < fak[k - 2])
            checks.push_back(checkAt(p, k, depth, pcz, fak[k - 1], etaD));
        depth += p.baseThickness[k];
        pcz += p.baseUnitWeight[k] * p.baseThickness[k];
    }
    return checks;
}
