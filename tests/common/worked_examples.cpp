#include "worked_examples.h"

ProjectData capacityExample()
{
    ProjectData p{};
    p.headDiameter = 1.0;
    p.shaftDiameter = 0.5;
    p.headLength = 2.0;
    p.pileLength = 10.0;
    p.headLayerCount = 1;
    p.headThickness[1] = 2.0;
    p.headFriction[1] = 10.0;
    p.shaftLayerCount = 1;
    p.shaftThickness[1] = 8.0;
    p.shaftFriction[1] = 12.0;
    p.stepBearing = 100.0;
    p.stepBearingFactor = 0.85;
    p.tipBearing = 120.0;
    p.tipBearingFactor = 0.5;
    p.cubeStrength = 1500.0;
    p.headStrengthFactor = 0.7;
    p.shaftStrengthFactor = 0.6;
    p.soilCapacity = 80.0;
    p.soilReduction = 0.9;
    p.layoutType = kLayoutSquare;
    p.spacingSquare = 2.0;
    p.equivalentDiameter = 2.26;
    return p;
}

ProjectData settlementExample()
{
    ProjectData p = capacityExample();
    p.embankmentTopWidth = 10.0;
    p.embankmentHeight = 3.0;
    p.slopeM = 1.5;
    p.slopeN = 1.5;
    p.fillUnitWeight = 19.0;
    p.headPileModulus = 150.0;
    p.shaftPileModulus = 120.0;
    p.headSoilModulus[1] = 3.0;
    p.headUnitWeight[1] = 18.0;
    p.shaftLayerCount = 2;
    const double shaft[][4] = {{4.0, 4.0, 18.5, 12.0}, {4.0, 6.0, 19.0, 12.0}};
    for (int j = 1; j <= 2; ++j) {
        p.shaftThickness[j] = shaft[j - 1][0];
        p.shaftSoilModulus[j] = shaft[j - 1][1];
        p.shaftUnitWeight[j] = shaft[j - 1][2];
        p.shaftFriction[j] = shaft[j - 1][3];
    }
    p.baseLayerCount = 3;
    const double base[][3] = {{3.0, 8.0, 19.0}, {5.0, 10.0, 19.5}, {10.0, 15.0, 20.0}};
    for (int k = 1; k <= 3; ++k) {
        p.baseThickness[k] = base[k - 1][0];
        p.baseSoilModulus[k] = base[k - 1][1];
        p.baseUnitWeight[k] = base[k - 1][2];
    }
    return p;
}

std::tm fixedSaveTime()
{
    std::tm t{};
    t.tm_year = 2009 - 1900;
    t.tm_mon = 4;
    t.tm_mday = 17;
    t.tm_hour = 14;
    t.tm_min = 3;
    return t;
}
