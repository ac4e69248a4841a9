#include "forms/design/sweep_table_model.h"

#include "forms/design/design_fields.h"
#include "ui/number_text.h"

#include <QColor>

#include <cmath>

namespace design {
namespace {

enum Column { De, Ra, Fspk, ManualFspk, SDeformation, S02, S01, Bearing, Settlement, Reason, kColumns };

const QString kHeaders[kColumns] = {
    QStringLiteral("de（m）"),
    QStringLiteral("Ra（kN）"),
    QStringLiteral("fspk（kPa）"),
    QStringLiteral("fspk 手动Ra（kPa）"),
    QStringLiteral("沉降 变形比法（mm）"),
    QStringLiteral("沉降 应力比0.2（mm）"),
    QStringLiteral("沉降 应力比0.1（mm）"),
    QStringLiteral("承载力验算"),
    QStringLiteral("沉降验算"),
    QStringLiteral("说明"),
};

QVariant number(double value, int decimals, int role)
{
    if (role == SweepTableModel::kSortRole)
        return std::isnan(value) ? -HUGE_VAL : value;
    return std::isfinite(value) ? ui::formatResult(value, decimals) : QString();
}

QVariant check(const SweepPoint& point, std::optional<bool> ok, int role)
{
    if (!point.valid() || !ok)
        return role == SweepTableModel::kSortRole ? QVariant(-1) : QVariant(QString());
    if (role == SweepTableModel::kSortRole)
        return *ok ? 1 : 0;
    if (role == Qt::ForegroundRole)
        return QColor(*ok ? Qt::darkGreen : Qt::red);
    return *ok ? QStringLiteral("满足") : QStringLiteral("不满足");
}

}  // namespace

SweepTableModel::SweepTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SweepTableModel::setPoints(std::vector<SweepAxis> axes, std::vector<SweepPoint> points)
{
    beginResetModel();
    axes_ = std::move(axes);
    points_ = std::move(points);
    endResetModel();
}

int SweepTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int SweepTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(axes_.size()) + kColumns;
}

QVariant SweepTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != kSortRole && role != Qt::ForegroundRole))
        return {};
    return cell(points_[static_cast<std::size_t>(index.row())], index.column(), role);
}

QVariant SweepTableModel::cell(const SweepPoint& point, int column, int role) const
{
    const int axisCount = static_cast<int>(axes_.size());
    if (column < axisCount) {
        const double value = point.values[static_cast<std::size_t>(column)];
        if (role == Qt::ForegroundRole)
            return {};
        return role == kSortRole ? QVariant(value) : QVariant(QString::number(value, 'g', 15));
    }
    if (role == Qt::ForegroundRole && column - axisCount < Bearing)
        return {};
    const DesignResults& r = point.results;
    switch (column - axisCount) {
    case De: return number(r.equivalentDiameter, 3, role);
    case Ra: return number(r.pileCapacity, 2, role);
    case Fspk: return number(r.compositeCapacity, 2, role);
    case ManualFspk: return number(r.manualCompositeCapacity, 2, role);
    case SDeformation: return number(r.settlementDeformationRatio, 2, role);
    case S02: return number(r.settlementStressRatio02, 2, role);
    case S01: return number(r.settlementStressRatio01, 2, role);
    case Bearing: return check(point, point.checks.bearingOk, role);
    case Settlement: return check(point, point.checks.settlementOk, role);
    default: return role == Qt::ForegroundRole ? QVariant() : QVariant(QString::fromStdString(point.fault));
    }
}

QVariant SweepTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const int axisCount = static_cast<int>(axes_.size());
    if (section < axisCount)
        return fieldCaption(*axes_[static_cast<std::size_t>(section)].field);
    return kHeaders[section - axisCount];
}

}  // namespace design
