// The checks both input forms make before they use a project's values, and
// after they compute, each giving the Chinese sentence (UTF-8) that explains
// a refusal, or an empty text when the values pass. The design sweeps make
// the same checks at every point, so that a point is refused exactly when a
// form would refuse it.
#pragma once

#include "model/project_data.h"

#include <initializer_list>
#include <string>

namespace input_faults {

inline constexpr char kParametersWrong[] = "输入的参数有误，请检查后重新计算！";

// The pile first (L not shorter than H, D not narrower than d), then every
// layer count.
std::string pileFault(double headDiameter, double shaftDiameter, double headLength,
                      double pileLength, std::initializer_list<int> layerCounts);
// The layer tables hold kMaxLayers layers per zone: a larger count (or a
// negative one) would make the entry, the table and the sums reach past them.
std::string layerCountFault(std::initializer_list<int> counts);
// Both zones along the pile need layers.
std::string missingLayersFault(int headLayerCount, int shaftLayerCount);
// An equivalent diameter of 0, or not a number, means the spacing is missing.
std::string spacingFault(double equivalentDiameter);
// The head layers must add up to H and the shaft layers to L - H (nearlyEqual).
std::string layerSumFault(const ProjectData& p);

// Results a form shows as numbers; any other is refused with kParametersWrong.
// A capacity (kN) must be finite; a composite capacity (kPa) finite and not
// negative; a settlement (mm) finite once rounded to two decimals.
bool isShowableCapacity(double capacity);
bool isShowableComposite(double composite);
bool isShowableSettlement(double settlement);

// The results block of a saved file, and the calculator's text output, show
// a result as a number only when it is finite and above 0, and a settlement
// by a stress ratio only when the first shaft layer has a unit weight; any
// other as kIncomplete.
inline constexpr char kIncomplete[] = "（未全部输入正确的参数）";
bool isReportedResult(double value);
bool isReportedSettlement(const ProjectData& p, double settlement);

}  // namespace input_faults
