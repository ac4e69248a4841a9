// What the bearing-capacity and the settlement input forms share: the spacing
// boxes that follow the pile layout, and the checks of the pile, its layer
// counts and its spacing made before the values are used. Each check gives
// the message that explains a refusal, or an empty text when the values pass.
#pragma once

#include "model/input_faults.h"

#include <QString>

#include <initializer_list>

class QWidget;

namespace ui {

// The rules live in the core (model/input_faults.h), shared with the design
// sweeps; these give their messages as the forms show them.
inline const QString kParametersWrong = QString::fromUtf8(input_faults::kParametersWrong);

// Only the boxes of the layout's spacings can be edited (one for the
// triangle and the square, both sides for the rectangle); the others keep
// their values, which are still read, applied and saved. Any other layout
// value leaves the boxes as they are.
void enableLayoutSpacings(int layout, QWidget* triangle, QWidget* square, QWidget* longitudinal,
                          QWidget* transverse);

// The pile first (L not shorter than H, D not narrower than d), then every
// layer count.
QString pileFault(double headDiameter, double shaftDiameter, double headLength, double pileLength,
                  std::initializer_list<int> layerCounts);
// The layer tables hold kMaxLayers layers per zone: a larger count (or a
// negative one) would make the entry, the table and the sums reach past them.
QString layerCountFault(std::initializer_list<int> counts);
// Both zones along the pile need layers.
QString missingLayersFault(int headLayerCount, int shaftLayerCount);
// An equivalent diameter of 0, or not a number, means the spacing is missing.
QString spacingFault(double equivalentDiameter);
// The head layers must fill H and the shaft layers L - H.
QString layerSumFault(const ProjectData& project);

}  // namespace ui
