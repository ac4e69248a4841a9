// Bearing check of the soil under the pile tips (GB 50007—2011 5.2.7 as the
// composite-foundation practice applies it): at the top of the base zone and
// at the top of every base layer within the settlement's calculation depth,
//   pz + pcz <= faz = fak + etaD gammaM (d - 0.5).
// pz spreads the embankment's strip load through the soil above the layer:
//   pz = b p0 / (b + 2 z tan(theta)),
// p0 = gamma h the embankment's load at the ground surface (pc = 0: the load
// acts on the surface, as in the settlement), b = B + (m + n) h the width of
// the fill's base, z = d the depth of the layer's top below the pile tops,
// theta by table 5.2.7 from z / b and Es1 / Es2: Es1 the thickness-weighted
// mean modulus above the layer (Esp in the reinforced zones, as the
// settlement takes it, Es below), Es2 the layer's. pcz is the self-weight
// stress of the soil above (as the settlement's sigma c), gammaM = pcz / d.
// The elastic sigma z = I p0 of the settlement is kept beside for comparison.
// Stresses kPa, depths m, moduli MPa, angles degrees.
#pragma once

#include "model/project_data.h"

#include <vector>

struct UnderlyingLayerCheck {
    int layer = 0;           // base layer 1..
    double depth = 0;        // d = z (m)
    double loadWidth = 0;    // b (m)
    double upperModulus = 0; // Es1 (MPa)
    double lowerModulus = 0; // Es2 (MPa)
    double theta = 0;        // degrees
    double pz = 0;           // spread pz (kPa), the one checked
    double elasticPz = 0;    // sigma z = I p0 (kPa)
    double pcz = 0;          // kPa
    double fak = 0;          // kPa
    double unitWeightAbove = 0;  // gammaM (kN/m3)
    double faz = 0;          // kPa
    bool ok = false;

    double depthRatio() const { return depth / loadWidth; }
    double modulusRatio() const { return upperModulus / lowerModulus; }
};

// The spread angle theta (degrees) of table 5.2.7: Es1/Es2 = 3, 5, 10 give
// 6, 10, 20 degrees at z/b = 0.25 and 23, 25, 30 at z/b >= 0.50, linear
// between the rows and columns; 0 for z/b < 0.25 (the clause leaves it to
// tests, usually 0) and for Es1/Es2 < 3 (no spread beyond the table); the
// row of 10 beyond it.
double spreadAngle(double modulusRatio, double depthRatio);

// The checks from the top down; fak holds one value per base layer (a
// shorter list checks the layers it covers), stopDepth the bottom of the
// settlement's last slice.
std::vector<UnderlyingLayerCheck> underlyingLayerChecks(const ProjectData& p,
                                                        const std::vector<double>& fak,
                                                        double etaD, double stopDepth);
