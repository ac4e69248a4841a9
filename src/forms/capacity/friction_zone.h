// The two side-friction zones of g_project: the soil along the enlarged head
// (depth 0 to H) and the soil along the lower shaft (depth H to L).
#pragma once

#include "model/project_data.h"

struct FrictionZone {
    LayerTable& thickness;
    LayerTable& friction;
    int layerCount;
    double length;
};

// The zone's tables, its layer count and its length as g_project holds them.
FrictionZone frictionZone(bool isHeadZone);
