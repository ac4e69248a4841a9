#include "model/input_faults.h"

#include "model/display_rounding.h"

#include <cmath>

namespace input_faults {

std::string pileFault(double headDiameter, double shaftDiameter, double headLength,
                      double pileLength, std::initializer_list<int> layerCounts)
{
    if (!(pileLength >= headLength))
        return "输入的桩长H或h有误，请检查后重新输入！";
    if (!(headDiameter >= shaftDiameter))
        return "输入的桩径D或d有误，请检查后重新输入！";
    return layerCountFault(layerCounts);
}

std::string layerCountFault(std::initializer_list<int> counts)
{
    for (int count : counts) {
        if (count < 0 || count > kMaxLayers)
            return "土体分层数应在0～49之间，请检查后重新输入！";
    }
    return {};
}

std::string missingLayersFault(int headLayerCount, int shaftLayerCount)
{
    if (headLayerCount == 0 || shaftLayerCount == 0)
        return "请输入桩周土分层数，并设置每层土的参数！";
    return {};
}

std::string spacingFault(double equivalentDiameter)
{
    if (equivalentDiameter == 0 || std::isnan(equivalentDiameter))
        return "请输入桩间距！";
    return {};
}

std::string layerSumFault(const ProjectData& p)
{
    if (!nearlyEqual(sumLayers(p.headThickness, p.headLayerCount), p.headLength))
        return "各层土厚度求和后不等于扩大头高度H，请检查各层土厚度！";
    if (!nearlyEqual(sumLayers(p.shaftThickness, p.shaftLayerCount), p.pileLength - p.headLength))
        return "各层土厚度求和后不等于下部桩体高度h-H，请检查各层土厚度！";
    return {};
}

bool isShowableCapacity(double capacity) { return std::isfinite(capacity); }

bool isShowableComposite(double composite) { return std::isfinite(composite) && composite >= 0; }

bool isShowableSettlement(double settlement) { return std::isfinite(round2(settlement)); }

bool isReportedResult(double value) { return std::isfinite(value) && value > 0; }

bool isReportedSettlement(const ProjectData& p, double settlement)
{
    const bool weighed = p.stopCriterion == kStopDeformationRatio || p.shaftUnitWeight[1] > 0;
    return weighed && isReportedResult(settlement);
}

}  // namespace input_faults
