// The points of a sweep as a table: the swept values, de, Ra, fspk (and the
// typed Ra's fspk), the three settlements, the two checks and, for a point
// the forms would refuse, their reason. Numbers sort as numbers (sortRole).
#pragma once

#include "engine/sweep.h"

#include <QAbstractTableModel>

#include <vector>

namespace design {

class SweepTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kSortRole = Qt::UserRole;

    explicit SweepTableModel(QObject* parent = nullptr);

    void setPoints(std::vector<SweepAxis> axes, std::vector<SweepPoint> points);
    const std::vector<SweepPoint>& points() const { return points_; }
    const std::vector<SweepAxis>& axes() const { return axes_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant cell(const SweepPoint& point, int column, int role) const;

    std::vector<SweepAxis> axes_;
    std::vector<SweepPoint> points_;
};

}  // namespace design
