#include "forms/design/sweep_charts.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace design {
namespace {

const QColor kPassing(46, 160, 67);
const QColor kFailing(218, 54, 51);
const QColor kRefused(190, 190, 190);

QLineSeries* curve(const QString& name, const std::vector<SweepPoint>& points,
                   const std::function<double(const SweepPoint&)>& value)
{
    auto* series = new QLineSeries;
    series->setName(name);
    for (const SweepPoint& point : points) {
        if (point.valid() && std::isfinite(value(point)))
            series->append(point.values[0], value(point));
    }
    return series;
}

// Index ranges [first, last] of consecutive passing points.
std::vector<std::pair<std::size_t, std::size_t>> passingRuns(const std::vector<SweepPoint>& points)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i].passes())
            continue;
        if (!runs.empty() && runs.back().second + 1 == i)
            runs.back().second = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}

void shade(QChart& chart, double x0, double x1, double yLow, double yHigh, bool named)
{
    auto* lower = new QLineSeries;
    auto* upper = new QLineSeries;
    lower->append({QPointF(x0, yLow), QPointF(x1, yLow)});
    upper->append({QPointF(x0, yHigh), QPointF(x1, yHigh)});
    auto* area = new QAreaSeries(upper, lower);
    area->setName(named ? QStringLiteral("通过验算") : QString());
    QColor fill = kPassing;
    fill.setAlpha(50);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    chart.addSeries(area);
}

std::pair<double, double> valueSpan(const QList<QLineSeries*>& series)
{
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const QLineSeries* s : series) {
        for (const QPointF& p : s->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    if (!(low <= high))
        return {0.0, 1.0};
    const double margin = high > low ? (high - low) * 0.08 : std::max(1.0, std::fabs(high) * 0.1);
    return {low - margin, high + margin};
}

// An axis over at least [low, high] with ticks at round values: the range
// widened to whole multiples of 1, 2 or 5 times a power of ten. Titles are
// rich text to the chart, so "<" and "&" are escaped.
QValueAxis* roundAxis(const QString& title, double low, double high)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title.toHtmlEscaped());
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g"));
    return axis;
}

}  // namespace

void drawSweepChart(QChart& chart, const ChartContent& content, const std::vector<SweepPoint>& points,
                    double step, std::optional<std::size_t> best)
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes())
        chart.removeAxis(axis);
    if (points.empty())
        return;

    QList<QLineSeries*> lines{curve(content.result.name, points, content.result.value)};
    if (content.limit)
        lines << curve(content.limit->name, points, content.limit->value);
    const auto [yLow, yHigh] = valueSpan(lines);
    const double xLow = points.front().values[0];
    const double xHigh = std::max(points.back().values[0], xLow + step);
    QValueAxis* xAxis = roundAxis(content.fieldTitle, xLow, xHigh);
    QValueAxis* yAxis = roundAxis(content.valueTitle, yLow, yHigh);

    bool first = true;
    for (const auto& [a, b] : passingRuns(points)) {
        shade(chart, std::max(xLow, points[a].values[0] - step / 2),
              std::min(xHigh, points[b].values[0] + step / 2), yAxis->min(), yAxis->max(), first);
        first = false;
    }
    for (QLineSeries* line : lines)
        chart.addSeries(line);
    if (content.limit)
        lines.back()->setPen(QPen(kFailing, 1.5, Qt::DashLine));
    if (best && std::isfinite(content.result.value(points[*best]))) {
        auto* marker = new QScatterSeries;
        marker->setName(content.bestName);
        marker->setMarkerSize(11);
        marker->append(points[*best].values[0], content.result.value(points[*best]));
        chart.addSeries(marker);
    }

    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart.series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
}

PassMap::PassMap(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(320, 240);
}

void PassMap::setGrid(QString rowTitle, QString columnTitle, std::vector<SweepPoint> points, std::size_t columns,
                      std::optional<std::size_t> best)
{
    rowTitle_ = std::move(rowTitle);
    columnTitle_ = std::move(columnTitle);
    points_ = std::move(points);
    columns_ = columns;
    best_ = best;
    update();
}

std::size_t PassMap::passingCells() const
{
    return static_cast<std::size_t>(
        std::count_if(points_.begin(), points_.end(), [](const SweepPoint& p) { return p.passes(); }));
}

std::size_t PassMap::rows() const { return columns_ == 0 ? 0 : (points_.size() + columns_ - 1) / columns_; }

namespace {

QString tickText(double value) { return QString::number(value, 'g', 6); }

std::size_t labelEvery(double cellSize, double labelSize)
{
    return cellSize > 0 ? std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(labelSize / cellSize))) : 1;
}

// The least of 1, 2 or 5 × 10ⁿ not below `least`.
double roundStepAtLeast(double least)
{
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double mantissa : {1.0, 2.0, 5.0, 10.0})
        if (mantissa * power >= least * (1 - 1e-9))
            return mantissa * power;
    return 10 * power;
}

// The cells to label among evenly spaced values, at least `every` cells
// apart: those at round values (1, 2 or 5 × 10ⁿ apart), or every `every`-th
// cell when the values miss round ones.
std::vector<std::size_t> tickCells(const std::vector<double>& values, std::size_t every)
{
    std::vector<std::size_t> cells;
    if (values.size() >= 2 && std::isfinite(values[1] - values[0]) && values[1] != values[0]) {
        const double step = std::fabs(values[1] - values[0]);
        const double round = roundStepAtLeast(step * static_cast<double>(every));
        for (std::size_t i = 0; i < values.size(); ++i)
            if (std::fabs(values[i] - std::round(values[i] / round) * round) < step * 1e-3)
                cells.push_back(i);
    }
    if (cells.size() >= 2)
        return cells;
    cells.clear();
    for (std::size_t i = 0; i < values.size(); i += every)
        cells.push_back(i);
    return cells;
}

}  // namespace

PassMap::Layout PassMap::layout() const
{
    const int line = fontMetrics().height();
    Layout l;
    l.plot = QRectF(rect()).adjusted(line * 4, line * 2.5, -line, -line * 3.5);
    l.cellWidth = l.plot.width() / static_cast<double>(std::max<std::size_t>(columns_, 1));
    l.cellHeight = l.plot.height() / static_cast<double>(std::max<std::size_t>(rows(), 1));
    std::vector<double> columnValues;
    for (std::size_t c = 0; c < columns_ && c < points_.size(); ++c)
        columnValues.push_back(points_[c].values[1]);
    std::vector<double> rowValues;
    for (std::size_t r = 0; r < rows(); ++r)
        rowValues.push_back(points_[r * columns_].values[0]);
    l.columnTicks = tickCells(columnValues, labelEvery(l.cellWidth, fontMetrics().horizontalAdvance(QStringLiteral("00000.00"))));
    l.rowTicks = tickCells(rowValues, labelEvery(l.cellHeight, line * 1.5));
    return l;
}

QRectF PassMap::cellAt(const Layout& l, std::size_t i) const
{
    const double row = static_cast<double>(rows() - 1 - i / columns_);
    const double column = static_cast<double>(i % columns_);
    return QRectF(l.plot.left() + column * l.cellWidth, l.plot.top() + row * l.cellHeight, l.cellWidth, l.cellHeight);
}

QStringList PassMap::columnTicks() const
{
    QStringList ticks;
    for (std::size_t c : layout().columnTicks)
        ticks << tickText(points_[c].values[1]);
    return ticks;
}

QStringList PassMap::rowTicks() const
{
    QStringList ticks;
    for (std::size_t r : layout().rowTicks)
        ticks << tickText(points_[r * columns_].values[0]);
    return ticks;
}

// Swatches for 满足, 不满足 and 无法计算 and the outline of the best design.
void PassMap::paintLegend(QPainter& painter, const QRectF& strip) const
{
    const double box = fontMetrics().height() * 0.8;
    double x = strip.left();
    const auto entry = [&](const QString& text, const QColor& fill) {
        const QRectF swatch(x, strip.center().y() - box / 2, box, box);
        if (fill.isValid()) {
            painter.fillRect(swatch, fill);
        } else {
            painter.setPen(QPen(Qt::black, 2));
            painter.drawRect(swatch);
        }
        painter.setPen(palette().windowText().color());
        const double textWidth = fontMetrics().horizontalAdvance(text);
        painter.drawText(QRectF(x + box + 4, strip.top(), textWidth + 2, strip.height()), Qt::AlignVCenter, text);
        x += box + 4 + textWidth + box * 1.5;
    };
    entry(QStringLiteral("满足"), kPassing);
    entry(QStringLiteral("不满足"), kFailing);
    entry(QStringLiteral("无法计算"), kRefused);
    if (best_)
        entry(QStringLiteral("最优方案"), QColor());
}

// The first field runs up the rows (its smallest value at the bottom), the
// second along the columns; the values at the ticks, the legend above.
void PassMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (points_.empty() || columns_ == 0)
        return;
    const Layout l = layout();
    const int line = fontMetrics().height();
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const SweepPoint& p = points_[i];
        painter.fillRect(cellAt(l, i), !p.valid() ? kRefused : p.passes() ? kPassing : kFailing);
    }
    if (best_) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(cellAt(l, *best_));
    }
    paintLegend(painter, QRectF(l.plot.left(), 0, l.plot.width(), line * 2));
    painter.setPen(palette().windowText().color());
    const double labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000.00"));
    for (std::size_t c : l.columnTicks) {
        const double x = cellAt(l, c).center().x();
        painter.drawLine(QPointF(x, l.plot.bottom()), QPointF(x, l.plot.bottom() + 4));
        painter.drawText(QRectF(x - labelWidth / 2, l.plot.bottom() + 4, labelWidth, line), Qt::AlignCenter,
                         tickText(points_[c].values[1]));
    }
    for (std::size_t r : l.rowTicks) {
        const double y = cellAt(l, r * columns_).center().y();
        painter.drawLine(QPointF(l.plot.left() - 4, y), QPointF(l.plot.left(), y));
        painter.drawText(QRectF(l.plot.left() - line * 3, y - line / 2.0, line * 3 - 6, line),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(points_[r * columns_].values[0]));
    }
    painter.drawText(QRectF(l.plot.left(), l.plot.bottom() + 4 + line, l.plot.width(), line * 2), Qt::AlignCenter,
                     columnTitle_);
    painter.save();
    painter.translate(0, l.plot.bottom());
    painter.rotate(-90);
    painter.drawText(QRectF(0, 0, l.plot.height(), line), Qt::AlignCenter, rowTitle_);
    painter.restore();
}

}  // namespace design
