// Pictures of a sweep: a result against the swept field, with the demand it
// is checked against, the passing ranges shaded and the best point marked;
// and, for a grid of two fields, a map of which points pass.
#pragma once

#include "engine/sweep.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QChart;

namespace design {

struct ChartCurve {
    QString name;
    std::function<double(const SweepPoint&)> value;
};

struct ChartContent {
    QString fieldTitle;  // x axis: the swept field with its unit
    QString valueTitle;  // y axis
    ChartCurve result;
    std::optional<ChartCurve> limit;  // the demand the result is checked against
    QString bestName = QStringLiteral("最优方案");  // the legend of the marked point
};

// Replaces what the chart shows by the valid points of a one-field sweep.
// `best` is the index in `points` of the point to mark, if any.
void drawSweepChart(QChart& chart, const ChartContent& content, const std::vector<SweepPoint>& points,
                    double step, std::optional<std::size_t> best);

// Cells of a two-field grid: green where every check passes, red where one
// fails, grey where the forms would refuse the point, the best cell framed.
class PassMap : public QWidget {
    Q_OBJECT
public:
    explicit PassMap(QWidget* parent = nullptr);
    void setGrid(QString rowTitle, QString columnTitle, std::vector<SweepPoint> points, std::size_t columns,
                 std::optional<std::size_t> best);
    std::size_t passingCells() const;
    // The values written at the ticks, for tests: the second field's along
    // the bottom, the first field's up the left side.
    QStringList columnTicks() const;
    QStringList rowTicks() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the cells go, and the cells whose values are written at ticks.
    struct Layout {
        QRectF plot;
        double cellWidth;
        double cellHeight;
        std::vector<std::size_t> columnTicks;  // column numbers
        std::vector<std::size_t> rowTicks;     // row numbers
    };
    std::size_t rows() const;
    Layout layout() const;
    QRectF cellAt(const Layout& l, std::size_t i) const;
    void paintLegend(QPainter& painter, const QRectF& strip) const;

    QString rowTitle_;
    QString columnTitle_;
    std::vector<SweepPoint> points_;
    std::size_t columns_ = 0;
    std::optional<std::size_t> best_;
};

}  // namespace design
