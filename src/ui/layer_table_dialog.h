// Base of the forms that list the layers of one zone: the layer of a clicked
// row is loaded into the boxes below the list, "修改" stores the boxes into
// it, and OK stores them too before the form checks the zone.
#pragma once

#include "ui/dialog.h"

namespace ui {

class LayerTableDialog : public Dialog {
    Q_OBJECT
public:
    using Dialog::Dialog;

    int selectedLayer = -1;  // layer of the last clicked row, -1 before any

protected:
    // Stores the boxes' values into that layer of the record.
    virtual void StoreEditsInto(int layer) = 0;
    // Lists the zone's layers afresh.
    virtual void FillList() = 0;

    // "修改": stores the boxes into the clicked layer and lists the layers
    // again; without a clicked row it asks for one.
    void OnModify();
    // Stores the boxes into the clicked layer, if any; false when a box
    // could not be read.
    bool ApplySelectedRow();
};

// A zone's layers close their table only when they fill it: H along the
// heads, L - H along the shafts. The message for layers that do not, or an
// empty text.
QString layerTableSumFault(bool isHeadZone, double layerSum, double zoneLength);

}  // namespace ui
