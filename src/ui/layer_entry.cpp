#include "ui/layer_entry.h"

#include "model/project_data.h"

namespace ui {

QString sideLayerCaption(bool isHeadZone)
{
    return isHeadZone ? QStringLiteral("扩大头范围内桩周土参数输入") : QStringLiteral("下部桩体范围内桩周土参数输入");
}

QString layerThicknessFault(double thickness, double remainingThickness, bool isLastLayer)
{
    if (thickness > remainingThickness && !nearlyEqual(thickness, remainingThickness))
        return QStringLiteral("该层土厚度不应大于剩余厚度，请检查后重新输入！");
    if (isLastLayer && !nearlyEqual(thickness, remainingThickness))
        return QStringLiteral("最后一层土的厚度应该等于剩余厚度，请检查后重新输入！");
    return {};
}

}  // namespace ui
