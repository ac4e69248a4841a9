#include "ui/pile_inputs.h"

#include "model/input_faults.h"
#include "model/project_data.h"
#include "ui/dialog.h"

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
    return QString::fromStdString(
        input_faults::pileFault(headDiameter, shaftDiameter, headLength, pileLength, layerCounts));
}

QString layerCountFault(std::initializer_list<int> counts)
{
    return QString::fromStdString(input_faults::layerCountFault(counts));
}

QString missingLayersFault(int headLayerCount, int shaftLayerCount)
{
    return QString::fromStdString(input_faults::missingLayersFault(headLayerCount, shaftLayerCount));
}

QString spacingFault(double equivalentDiameter)
{
    return QString::fromStdString(input_faults::spacingFault(equivalentDiameter));
}

QString layerSumFault(const ProjectData& project)
{
    return QString::fromStdString(input_faults::layerSumFault(project));
}

}  // namespace ui
