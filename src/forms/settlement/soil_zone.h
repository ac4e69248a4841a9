// The record's layer tables of one soil zone of the settlement calculation:
// zone 1 along the enlarged heads (0..H), zone 2 along the lower shafts
// (H..L), zone 3 the untreated soil below the pile tips.
#pragma once

#include "model/project_data.h"

struct SoilLayer {
    double thickness;    // m
    double soilModulus;  // Es, MPa
    double unitWeight;   // kN/m3
};

struct SoilZone {
    LayerTable& thickness;
    LayerTable& soilModulus;
    LayerTable& unitWeight;
    int& layerCount;

    SoilLayer layer(int number) const;
    void store(int number, const SoilLayer& layer);
};

// The tables of zone 1 or 2 in g_project; any other zone number is the base
// zone below the tips.
SoilZone soilZone(int zone);
