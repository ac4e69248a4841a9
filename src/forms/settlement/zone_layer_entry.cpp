// The layer-by-layer entry of one soil zone, started from the settlement
// form with the form's H, L and layer counts.
#include "forms/settlement/settlement_dialog.h"

#include "forms/settlement/soil_layer_dialog.h"
#include "forms/settlement/soil_zone.h"
#include "model/project_data.h"
#include "ui/layer_entry.h"

namespace {

void prefill(CSoilLayerDialog& form, const SoilLayer& layer)
{
    form.thickness = layer.thickness;
    form.soilModulus = layer.soilModulus;
    form.unitWeight = layer.unitWeight;
}

SoilLayer enteredLayer(const CSoilLayerDialog& form)
{
    return {form.thickness, form.soilModulus, form.unitWeight};
}

}  // namespace

void CSettlementDialog::EnterZoneLayers(int zone)
{
    if (zone == 3)
        EnterBaseZoneLayers();
    else
        EnterSideZoneLayers(zone);
}

// Zones 1 and 2 have a prescribed thickness, H and L - H: each layer may take
// at most what is left of it, and the last one must take exactly that.
void CSettlementDialog::EnterSideZoneLayers(int zone)
{
    const double zoneThickness = zone == 1 ? headLength : pileLength - headLength;
    const int count = ZoneLayerCount(zone);
    SoilZone tables = soilZone(zone);

    CSoilLayerDialog form(this);
    form.zone = zone;
    const bool entered = ui::enterZoneLayers(
        form, zoneThickness, count, [&](int layer) { prefill(form, tables.layer(layer)); },
        [&](int layer) { tables.store(layer, enteredLayer(form)); });
    if (entered && !nearlyEqual(sumLayers(tables.thickness, count), zoneThickness))
        message(ui::kLayerHeightsWrong);
}

// The base zone has no prescribed total; its last layer is the unbounded one.
void CSettlementDialog::EnterBaseZoneLayers()
{
    const int count = baseLayerCount;
    SoilZone tables = soilZone(3);

    CSoilLayerDialog form(this);
    form.zone = 3;
    form.totalThickness = -1.0;
    form.remainingThickness = -1.0;
    for (int i = 1; i <= count; ++i) {
        form.layerNumber = i;
        if (i == count)
            form.isLastLayer = true;
        prefill(form, tables.layer(i));
        if (form.exec() != QDialog::Accepted)
            return;
        tables.store(i, enteredLayer(form));
    }
}
