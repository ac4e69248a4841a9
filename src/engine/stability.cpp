#include "engine/stability.h"

#include "engine/design_check.h"
#include "model/file_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

struct Zone {
    const char* name;
    const char* cKey;
    const char* phiKey;
    const LayerTable& thickness;
    const LayerTable& unitWeight;
    int count;
    const std::vector<double>& c;
    const std::vector<double>& phi;
    double replacement;
};

std::string layerName(const Zone& zone, int layer, double top, double bottom)
{
    return std::string(zone.name) + "第" + std::to_string(layer) + "层（深度" + formatFileNumber(top) + "～"
           + formatFileNumber(bottom) + " m）";
}

// The layers from the surface down to the search depth, each with its
// strength; the reason when one of them has none, or no unit weight.
std::string groundLayers(const ProjectData& p, const StabilityInputs& in, StabilitySection& s)
{
    const double de2 = p.equivalentDiameter * p.equivalentDiameter;
    const Zone zones[] = {
        {"扩大头段", "c.head", "phi.head", p.headThickness, p.headUnitWeight, p.headLayerCount, in.cHead, in.phiHead,
         p.headDiameter * p.headDiameter / de2},
        {"下部桩段", "c.shaft", "phi.shaft", p.shaftThickness, p.shaftUnitWeight, p.shaftLayerCount, in.cShaft,
         in.phiShaft, p.shaftDiameter * p.shaftDiameter / de2},
        {"桩端以下", "c.base", "phi.base", p.baseThickness, p.baseUnitWeight, p.baseLayerCount, in.cBase, in.phiBase, 0},
    };
    double top = 0;
    for (const Zone& zone : zones) {
        for (int i = 1; i <= usedLayers(zone.count) && top < s.searchDepth; ++i) {
            const double bottom = top + zone.thickness[i];
            const std::string name = layerName(zone, i, top, bottom);
            if (!(zone.thickness[i] > 0) || !std::isfinite(bottom))
                return "未能验算：" + name + "的厚度应为大于0的数！";
            if (!(zone.unitWeight[i] > 0) || !std::isfinite(zone.unitWeight[i]))
                return "未能验算：滑弧可达" + name + "，其重度γ未给出或不大于0！";
            if (zone.c.empty())
                return "未能验算：滑弧可达" + name + "，未给出其抗剪强度（" + zone.cKey + "、" + zone.phiKey + "）！";
            s.layers.push_back({top, bottom, zone.unitWeight[i], {zone.c[i - 1], zone.phi[i - 1]}, zone.replacement});
            top = bottom;
        }
    }
    if (top < s.searchDepth)
        s.searchDepth = top;
    return {};
}

std::string embankmentFault(const ProjectData& p, const StabilityInputs& in)
{
    const bool shaped = std::isfinite(p.embankmentTopWidth) && p.embankmentTopWidth >= 0
                        && std::isfinite(p.embankmentHeight) && p.embankmentHeight >= 0
                        && std::isfinite(p.slopeM) && p.slopeM > 0 && std::isfinite(p.slopeN) && p.slopeN > 0;
    if (!shaped)
        return "未能验算：路堤的顶宽B、高度h应不小于0，边坡坡度1:m、1:n的m、n应大于0！";
    if (p.embankmentHeight > 0 && !(p.fillUnitWeight > 0 && std::isfinite(p.fillUnitWeight)))
        return "未能验算：填土重度γ应大于0！";
    if (p.embankmentHeight > 0 && !in.cFill)
        return "未能验算：未给出填土的抗剪强度（c.fill、phi.fill）！";
    return {};
}

const char* sideName(Side side) { return side == Side::Left ? "左" : "右"; }

}  // namespace

std::string stabilitySection(const ProjectData& p, const StabilityInputs& in, double surcharge,
                             StabilitySection& s)
{
    if (std::string fault = inputFault(p); !fault.empty())
        return "未能验算：" + fault;
    if (std::string fault = embankmentFault(p, in); !fault.empty())
        return fault;
    s = {};
    s.crestWidth = p.embankmentTopWidth;
    s.height = p.embankmentHeight;
    s.slopeLeft = p.slopeM;
    s.slopeRight = p.slopeN;
    s.fillUnitWeight = p.fillUnitWeight;
    s.fill = {in.cFill.value_or(0), in.phiFill.value_or(0)};
    s.treatedLeft = -s.crestWidth / 2 - s.slopeLeft * s.height - in.treatedMargin;
    s.treatedRight = s.crestWidth / 2 + s.slopeRight * s.height + in.treatedMargin;
    s.surcharge = surcharge;
    const double base = s.crestWidth + (s.slopeLeft + s.slopeRight) * s.height;
    s.searchDepth = p.pileLength + base;
    if (std::string fault = groundLayers(p, in, s); !fault.empty())
        return fault;
    if (s.treatedLeft < s.treatedRight && !in.pileShear)
        return "未能验算：加固区的抗剪强度需桩体抗剪强度τp，未给出（pileShear）！";
    s.pileShear = in.pileShear.value_or(0);
    return {};
}

StabilityOutcome stabilityOutcome(const ProjectData& p, double surcharge)
{
    return stabilityOutcome(p, readExtensionInputs(p), surcharge);
}

StabilityOutcome stabilityOutcome(const ProjectData& p, const ExtensionInputs& inputs, double surcharge)
{
    StabilityOutcome out;
    out.inputs = inputs.stability;
    if (!inputs.stabilityRefusal.empty()) {
        out.state = StabilityState::Refused;
        out.reason = inputs.stabilityRefusal;
        return out;
    }
    if (!out.inputs.asked())
        return out;
    out.state = StabilityState::Unchecked;
    StabilitySection section;
    if (out.reason = stabilitySection(p, out.inputs, surcharge, section); !out.reason.empty())
        return out;
    StabilityResult r;
    for (const Side side : {Side::Left, Side::Right}) {
        const std::optional<SideStability> least = leastFactor(section, side);
        if (!least) {
            out.reason = std::string("未能验算：") + sideName(side)
                         + "侧没有可接受的滑弧（每条滑弧都有mα≤0.2的土条，或不向该侧滑动）！";
            return out;
        }
        (side == Side::Left ? r.left : r.right) = *least;
        r.circlesTried += least->circlesTried;
    }
    r.side = r.right.least.factor < r.left.least.factor ? Side::Right : Side::Left;
    r.factor = r.critical().least.factor;
    out.state = StabilityState::Checked;
    out.result = std::move(r);
    return out;
}
