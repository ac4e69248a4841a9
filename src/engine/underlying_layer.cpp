#include "engine/underlying_layer.h"

#include "engine/layered_settlement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Table 5.2.7: theta (degrees) at z/b = 0.25 and at z/b >= 0.50 per Es1/Es2.
struct SpreadRow {
    double modulusRatio, atQuarter, atHalf;
};
constexpr SpreadRow kSpreadTable[] = {{3, 6, 23}, {5, 10, 25}, {10, 20, 30}};

double lerp(double x, double x0, double x1, double y0, double y1)
{
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// The row of the table at Es1/Es2 (3..10), linear between its rows.
SpreadRow rowAt(double modulusRatio)
{
    const double r = std::min(modulusRatio, kSpreadTable[2].modulusRatio);
    const SpreadRow& lo = r < kSpreadTable[1].modulusRatio ? kSpreadTable[0] : kSpreadTable[1];
    const SpreadRow& hi = r < kSpreadTable[1].modulusRatio ? kSpreadTable[1] : kSpreadTable[2];
    return {r, lerp(r, lo.modulusRatio, hi.modulusRatio, lo.atQuarter, hi.atQuarter),
            lerp(r, lo.modulusRatio, hi.modulusRatio, lo.atHalf, hi.atHalf)};
}

// Thickness-weighted sum of the moduli of a zone's layers (MPa m), each
// reinforced by piles covering `replacement` of the plan area.
double modulusThickness(const LayerTable& thickness, const LayerTable& soilModulus, int count,
                        double pileModulus, double replacement)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i)
        sum += layered_settlement::compositeModulus(soilModulus[i], pileModulus, replacement) * thickness[i];
    return sum;
}

double reinforcedModulusThickness(const ProjectData& p)
{
    using layered_settlement::replacementRatio;
    return modulusThickness(p.headThickness, p.headSoilModulus, p.headLayerCount, p.headPileModulus,
                            replacementRatio(p, p.headDiameter))
           + modulusThickness(p.shaftThickness, p.shaftSoilModulus, p.shaftLayerCount, p.shaftPileModulus,
                              replacementRatio(p, p.shaftDiameter));
}

struct Above {
    double depth;             // m
    double pcz;               // kPa
    double modulusThickness;  // MPa m
};

UnderlyingLayerCheck checkAt(const ProjectData& p, int layer, const Above& above, double fak, double etaD)
{
    const double load = layered_settlement::embankmentLoad(p);
    UnderlyingLayerCheck c;
    c.layer = layer;
    c.depth = above.depth;
    c.loadWidth = p.embankmentTopWidth + (p.slopeM + p.slopeN) * p.embankmentHeight;
    c.upperModulus = above.modulusThickness / above.depth;
    c.lowerModulus = p.baseSoilModulus[layer];
    c.theta = spreadAngle(c.modulusRatio(), c.depthRatio());
    c.pz = c.loadWidth * load / (c.loadWidth + 2 * c.depth * std::tan(c.theta * kPi / 180));
    c.elasticPz = p.embankmentStressFactor(c.depth) * load;
    c.pcz = above.pcz;
    c.fak = fak;
    c.unitWeightAbove = above.pcz / above.depth;
    c.faz = fak + etaD * c.unitWeightAbove * (above.depth - 0.5);
    c.ok = c.pz + c.pcz <= c.faz;
    return c;
}

}  // namespace

double spreadAngle(double modulusRatio, double depthRatio)
{
    if (!(modulusRatio >= kSpreadTable[0].modulusRatio) || !(depthRatio >= 0.25))
        return 0.0;
    const SpreadRow row = rowAt(modulusRatio);
    return depthRatio >= 0.5 ? row.atHalf : lerp(depthRatio, 0.25, 0.5, row.atQuarter, row.atHalf);
}

std::vector<UnderlyingLayerCheck> underlyingLayerChecks(const ProjectData& p,
                                                        const std::vector<double>& fak,
                                                        double etaD, double stopDepth)
{
    std::vector<UnderlyingLayerCheck> checks;
    const int layers = std::min(usedLayers(p.baseLayerCount), static_cast<int>(fak.size()));
    Above above{p.pileLength, layered_settlement::selfWeightAtTips(p), reinforcedModulusThickness(p)};
    for (int k = 1; k <= layers && above.depth < stopDepth; ++k) {
        checks.push_back(checkAt(p, k, above, fak[k - 1], etaD));
        above.depth += p.baseThickness[k];
        above.pcz += p.baseUnitWeight[k] * p.baseThickness[k];
        above.modulusThickness += p.baseSoilModulus[k] * p.baseThickness[k];
    }
    return checks;
}
