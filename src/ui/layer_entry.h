// The layer-by-layer entry of a zone along the piles, as the bearing-capacity
// and the settlement workflows both run it: the sequence of showings of the
// layer form, its caption, the check of each layer entered and the message
// when the layers entered do not add up to the zone.
#pragma once

#include "model/display_rounding.h"

#include <QDialog>
#include <QString>

namespace ui {

inline const QString kLayerHeightsWrong = QStringLiteral("输入的各层高度有误，请检查后重新输入！");

// The caption of the form that takes one layer along the head or the shaft.
QString sideLayerCaption(bool isHeadZone);

// A layer may take at most the thickness left of its zone, and the last
// layer exactly that (both within nearlyEqual). The message that explains a
// refusal, or an empty text when the layer fits.
QString layerThicknessFault(double thickness, double remainingThickness, bool isLastLayer);

// Shows one layer form once per layer of a zone of the given length. Each
// showing is prefilled with the stored layer (prefill(layer)) and told the
// thickness still to cover, rounded to 0.001 like the total; each accepted
// layer is stored at once (store(layer)). A cancelled showing ends the entry
// and keeps the layers accepted before it: false then.
template <class LayerForm, class Prefill, class Store>
bool enterZoneLayers(LayerForm& form, double zoneLength, int layerCount, Prefill prefill, Store store)
{
    form.totalThickness = round3(zoneLength);
    double accepted = 0;
    for (int layer = 1; layer <= layerCount; ++layer) {
        form.layerNumber = layer;
        form.isLastLayer = layer == layerCount;
        prefill(layer);
        form.remainingThickness = round3(form.totalThickness - accepted);
        if (form.exec() != QDialog::Accepted)
            return false;
        store(layer);
        accepted += form.thickness;
    }
    return true;
}

}  // namespace ui
