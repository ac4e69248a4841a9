#include "forms/settlement/soil_zone.h"

SoilLayer SoilZone::layer(int number) const
{
    return {thickness[number], soilModulus[number], unitWeight[number]};
}

void SoilZone::store(int number, const SoilLayer& layer)
{
    thickness[number] = layer.thickness;
    soilModulus[number] = layer.soilModulus;
    unitWeight[number] = layer.unitWeight;
}

SoilZone soilZone(int zone)
{
    ProjectData& p = g_project;
    switch (zone) {
    case 1:
        return {p.headThickness, p.headSoilModulus, p.headUnitWeight, p.headLayerCount};
    case 2:
        return {p.shaftThickness, p.shaftSoilModulus, p.shaftUnitWeight, p.shaftLayerCount};
    default:
        return {p.baseThickness, p.baseSoilModulus, p.baseUnitWeight, p.baseLayerCount};
    }
}
