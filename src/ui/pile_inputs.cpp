#include "ui/pile_inputs.h"

#include "model/project_data.h"
#include "ui/dialog.h"

#include <cmath>

namespace ui {

void enableLayoutSpacings(int layout, QWidget* triangle, QWidget* square, QWidget* longitudinal,
                          QWidget* transverse)
{
    switch (layout) {
    case kLayoutTriangle:
        setEnabled({triangle}, {square, longitudinal, transverse});
        break;
    case kLayoutSquare:
        setEnabled({square}, {triangle, longitudinal, transverse});
        break;
    case kLayoutRectangle:
        setEnabled({longitudinal, transverse}, {triangle, square});
        break;
    default:
        break;
    }
}

QString pileFault(double headDiameter, double shaftDiameter, double headLength, double pileLength,
                  std::initializer_list<int> layerCounts)
{
    if (!(pileLength >= headLength))
        return QStringLiteral("输入的桩长H或h有误，请检查后重新输入！");
    if (!(headDiameter >= shaftDiameter))
        return QStringLiteral("输入的桩径D或d有误，请检查后重新输入！");
    return layerCountFault(layerCounts);
}

QString layerCountFault(std::initializer_list<int> counts)
{
    for (int count : counts) {
        if (count < 0 || count > kMaxLayers)
            return QStringLiteral("土体分层数应在0～49之间，请检查后重新输入！");
    }
    return {};
}

QString missingLayersFault(int headLayerCount, int shaftLayerCount)
{
    if (headLayerCount == 0 || shaftLayerCount == 0)
        return QStringLiteral("请输入桩周土分层数，并设置每层土的参数！");
    return {};
}

QString spacingFault(double equivalentDiameter)
{
    if (equivalentDiameter == 0 || std::isnan(equivalentDiameter))
        return QStringLiteral("请输入桩间距！");
    return {};
}

}  // namespace ui
