#include "engine/layered_settlement.h"

double ProjectData::settlementByDeformationRatio() const
{
    return layered_settlement::byDeformationRatio(
        *this, [this](double z) { return embankmentStressFactor(z); });
}

double ProjectData::settlementByStressRatio(double ratio) const
{
    return layered_settlement::byStressRatio(
        *this, ratio, [this](double z) { return embankmentStressFactor(z); });
}

double ProjectData::settlementByCriterion() const
{
    switch (stopCriterion) {
    case kStopDeformationRatio: return settlementByDeformationRatio();
    case kStopStressRatio02: return settlementByStressRatio(0.2);
    case kStopStressRatio01: return settlementByStressRatio(0.1);
    default: return layered_settlement::kNotANumber;
    }
}
