#include "ui/layer_table_dialog.h"

#include "model/project_data.h"

namespace ui {

void LayerTableDialog::OnModify()
{
    if (!readForm())
        return;
    if (selectedLayer == -1) {
        message(QStringLiteral("请先在列表中单击要修改的地方！"));
        return;
    }
    StoreEditsInto(selectedLayer);
    message(QStringLiteral("修改成功！"));
    FillList();
}

bool LayerTableDialog::ApplySelectedRow()
{
    if (!readForm())
        return false;
    if (selectedLayer != -1)
        StoreEditsInto(selectedLayer);
    return true;
}

QString layerTableSumFault(bool isHeadZone, double layerSum, double zoneLength)
{
    if (nearlyEqual(layerSum, zoneLength))
        return {};
    return isHeadZone ? QStringLiteral("各层土厚度求和后不等于扩大头高度H，请调整各层土厚度！")
                      : QStringLiteral("各层土厚度求和后不等于下部桩体高度h-H，请调整各层土厚度！");
}

}  // namespace ui
