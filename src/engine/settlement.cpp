#include "engine/breakdown.h"
#include "engine/layered_settlement.h"

namespace {

using layered_settlement::LayerEnd;
using layered_settlement::StopCheck;
using layered_settlement::Zone;

// Records every slice and stop test into the details.
class DetailsRecorder {
public:
    explicit DetailsRecorder(SettlementDetails& details) : details_(details) {}

    void slice(Zone zone, int layer, double a, double b, double factor, double modulus,
               double s, double cumulative)
    {
        SettlementSlice slice;
        slice.zone = static_cast<SettlementZone>(zone);
        slice.layer = layer;
        slice.top = a;
        slice.bottom = b;
        slice.stressFactor = factor;
        slice.additionalStress = factor * details_.load;
        slice.modulus = modulus;
        slice.settlement = s;
        slice.cumulative = cumulative;
        details_.slices.push_back(slice);
        details_.stopDepth = b;
    }

    void stopTest(double selfWeight, const StopCheck& check)
    {
        SettlementSlice& slice = details_.slices.back();
        slice.tested = true;
        slice.selfWeightStress = selfWeight;
        slice.testValue = check.value;
        slice.testLimit = check.limit;
        if (check.stops && details_.stoppedBy != StopReason::SliceLimit)
            details_.stoppedBy = StopReason::Criterion;
    }

    void zones(double head, double shaft, double base)
    {
        details_.head = head;
        details_.shaft = shaft;
        details_.base = base;
    }

    // A zone that needed too many slices decides the outcome, whatever follows.
    void end(LayerEnd end)
    {
        if (end == LayerEnd::Runaway)
            details_.stoppedBy = StopReason::SliceLimit;
    }

private:
    SettlementDetails& details_;
};

}  // namespace

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

double stressRatioOf(int criterion)
{
    switch (criterion) {
    case kStopStressRatio02: return 0.2;
    case kStopStressRatio01: return 0.1;
    default: return 0.0;
    }
}

SettlementDetails settlementDetails(const ProjectData& p, int criterion)
{
    SettlementDetails details;
    details.criterion = criterion;
    details.load = layered_settlement::embankmentLoad(p);
    details.selfWeightAtTips = layered_settlement::selfWeightAtTips(p);
    DetailsRecorder recorder(details);
    const auto stress = [&p](double z) { return p.embankmentStressFactor(z); };
    switch (criterion) {
    case kStopDeformationRatio:
        details.total = layered_settlement::byDeformationRatio(p, stress, recorder);
        break;
    case kStopStressRatio02:
    case kStopStressRatio01:
        details.total = layered_settlement::byStressRatio(p, stressRatioOf(criterion), stress, recorder);
        break;
    default:
        details.total = layered_settlement::kNotANumber;
    }
    return details;
}

bool isSliver(const SettlementSlice& slice)
{
    return slice.bottom - slice.top <= 1e-9;
}

std::vector<SettlementLayer> settlementLayers(const SettlementDetails& details)
{
    std::vector<SettlementLayer> layers;
    for (const SettlementSlice& s : details.slices) {
        if (layers.empty() || layers.back().zone != s.zone || layers.back().layer != s.layer) {
            SettlementLayer layer;
            layer.zone = s.zone;
            layer.layer = s.layer;
            layer.top = s.top;
            layer.modulus = s.modulus;
            layers.push_back(layer);
        }
        SettlementLayer& layer = layers.back();
        layer.bottom = s.bottom;
        layer.settlement += s.settlement;
        layer.cumulative = s.cumulative;
        ++layer.sliceCount;
        if (layer.countedSlices == 0 || !isSliver(s))
            ++layer.countedSlices;
    }
    return layers;
}
