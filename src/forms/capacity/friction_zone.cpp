#include "forms/capacity/friction_zone.h"

FrictionZone frictionZone(bool isHeadZone)
{
    ProjectData& p = g_project;
    if (isHeadZone) {
        return {p.headThickness, p.headFriction, p.headLayerCount, p.headLength};
    }
    return {p.shaftThickness, p.shaftFriction, p.shaftLayerCount, p.pileLength - p.headLength};
}
