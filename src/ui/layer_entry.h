// The layer-by-layer entry of a zone along the piles, as the bearing-capacity
// and the settlement workflows both run it: the caption of the layer form,
// the check of each layer entered and the message when the layers entered do
// not add up to the zone.
#pragma once

#include <QString>

namespace ui {

inline const QString kLayerHeightsWrong = QStringLiteral("输入的各层高度有误，请检查后重新输入！");

// The caption of the form that takes one layer along the head or the shaft.
QString sideLayerCaption(bool isHeadZone);

// A layer may take at most the thickness left of its zone, and the last
// layer exactly that (both within nearlyEqual). The message that explains a
// refusal, or an empty text when the layer fits.
QString layerThicknessFault(double thickness, double remainingThickness, bool isLastLayer);

}  // namespace ui
