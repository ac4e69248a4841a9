#include "report/calculation_drawing.h"

#include "model/extension/layer_names.h"
#include "report/report_figures.h"
#include "report/report_text.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

using report_format::typed;

constexpr double kGroundY = 130;     // logical units
constexpr double kFillHeight = 70;   // the fill is drawn this high, whatever h
constexpr double kColumnLeft = 560;  // the soil column
constexpr double kColumnWidth = 60;
constexpr double kBottom = 455;

QString metres(double value) { return typed(value) + QStringLiteral(" m"); }

void arrowHead(QPainter& painter, QPointF tip, QPointF from)
{
    const QPointF direction = (tip - from) / std::max(1e-9, std::hypot(tip.x() - from.x(), tip.y() - from.y()));
    const QPointF normal(-direction.y(), direction.x());
    const QPointF base = tip - direction * 6;
    painter.drawPolygon(QPolygonF{tip, base + normal * 2.5, base - normal * 2.5});
}

// A dimension line between a and b with its text beside the middle; a
// vertical one's text ends `clearance` left of the line, beyond any line
// drawn between, and stays below the ground line: a short head's text
// would otherwise rise onto the fill's slope.
void dimension(QPainter& painter, QPointF a, QPointF b, const QString& label, bool vertical, double clearance = 4)
{
    painter.drawLine(a, b);
    arrowHead(painter, a, b);
    arrowHead(painter, b, a);
    const QPointF middle = (a + b) / 2;
    const QRectF box = vertical ? QRectF(middle.x() - clearance - 84, std::max(middle.y() - 9, kGroundY), 84, 18)
                                : QRectF(middle.x() - 60, middle.y() - 19, 120, 16);
    painter.drawText(box, (vertical ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter, label);
}

struct Scale {
    double depthScale;  // logical units per metre of depth
    double y(double depth) const { return kGroundY + depth * depthScale; }
};

void drawEmbankment(QPainter& painter, const ProjectData& p)
{
    const double run = p.embankmentTopWidth + (p.slopeM + p.slopeN) * p.embankmentHeight;
    const double width = 440;
    const double unit = run > 0 && std::isfinite(run) ? width / run : 0;
    const double left = 40;
    const double crestLeft = left + p.slopeM * p.embankmentHeight * unit;
    const double crestRight = crestLeft + p.embankmentTopWidth * unit;
    const double top = kGroundY - kFillHeight;
    painter.setBrush(QColor(235, 225, 200));
    painter.drawPolygon(QPolygonF{{left, kGroundY}, {crestLeft, top}, {crestRight, top}, {left + width, kGroundY}});
    painter.setBrush(Qt::black);
    painter.drawLine(QPointF(10, kGroundY), QPointF(530, kGroundY));
    dimension(painter, {crestLeft, top - 12}, {crestRight, top - 12}, QStringLiteral("B = ") + metres(p.embankmentTopWidth), false);
    dimension(painter, {left + width + 20, top}, {left + width + 20, kGroundY}, QString(), true);
    painter.drawText(QRectF(left + width + 24, top + kFillHeight / 2 - 9, 80, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("h = ") + metres(p.embankmentHeight));
    // Each slope's ratio outside the fill, clear of the slope at the text's
    // foot, where the slope lies farthest out.
    const double labelTop = top + kFillHeight / 2 - 20, labelFoot = labelTop + 18;
    const double outward = (labelFoot - top) / kFillHeight;
    const double leftSlope = crestLeft - (crestLeft - left) * outward;
    const double rightSlope = crestRight + (left + width - crestRight) * outward;
    painter.drawText(QRectF(leftSlope - 96, labelTop, 90, 18), Qt::AlignRight, QStringLiteral("1:") + typed(p.slopeM));
    painter.drawText(QRectF(rightSlope + 6, labelTop, 90, 18), Qt::AlignLeft, QStringLiteral("1:") + typed(p.slopeN));
    painter.drawText(QRectF(crestLeft, top + 20, crestRight - crestLeft, 18), Qt::AlignCenter,
                     QStringLiteral("填土 γ = %1 kN/m³").arg(typed(p.fillUnitWeight)));
}

void drawPiles(QPainter& painter, const ProjectData& p, const Scale& s)
{
    const double head = 26, shaft = 12;
    painter.setBrush(QColor(190, 190, 190));
    for (int i = 0; i < 5; ++i) {
        const double x = 120 + i * 70;
        painter.drawRect(QRectF(x - head / 2, s.y(0), head, s.y(p.headLength) - s.y(0)));
        painter.drawRect(QRectF(x - shaft / 2, s.y(p.headLength), shaft, s.y(p.pileLength) - s.y(p.headLength)));
    }
    painter.setBrush(Qt::black);
    const double x = 120;
    dimension(painter, {x - head / 2, s.y(0) + 10}, {x + head / 2, s.y(0) + 10}, QString(), false);
    painter.drawText(QRectF(x + head / 2 + 4, s.y(0) + 2, 90, 16), Qt::AlignLeft, QStringLiteral("D = ") + metres(p.headDiameter));
    const double shaftLabelY = (s.y(p.headLength) + s.y(p.pileLength)) / 2;
    painter.drawText(QRectF(x + shaft / 2 + 4, shaftLabelY - 8, 90, 16), Qt::AlignLeft, QStringLiteral("d = ") + metres(p.shaftDiameter));
    // H's text left of L's line, which would cross it.
    dimension(painter, {x - 30, s.y(0)}, {x - 30, s.y(p.headLength)}, QStringLiteral("H = ") + metres(p.headLength), true, 34);
    dimension(painter, {x - 60, s.y(0)}, {x - 60, s.y(p.pileLength)}, QStringLiteral("L = ") + metres(p.pileLength), true);
}

// The name of a layer of the borehole log, inside its band of the column
// when the band is tall enough for a line of text.
void drawLayerName(QPainter& painter, const Scale& s, double top, double bottom, const QString& name)
{
    const QRectF band(kColumnLeft + 2, s.y(top), kColumnWidth - 4, s.y(bottom) - s.y(top));
    if (name.isEmpty() || band.height() < painter.fontMetrics().height())
        return;
    painter.drawText(band, Qt::AlignCenter, painter.fontMetrics().elidedText(name, Qt::ElideRight, int(band.width())));
}

void drawBoundaries(QPainter& painter, const Scale& s, const ProjectData& p, SettlementZone zone, double top,
                    const LayerTable& thickness, int count, double limit)
{
    double depth = top;
    for (int i = 1; i <= usedLayers(count) && depth < limit; ++i) {
        const double layerTop = depth;
        depth += thickness[i];
        drawLayerName(painter, s, layerTop, std::min(depth, limit),
                      QString::fromStdString(layerName(p, report_text::layerKey(zone), i)));
        if (depth < limit)
            painter.drawLine(QPointF(kColumnLeft, s.y(depth)), QPointF(kColumnLeft + kColumnWidth, s.y(depth)));
    }
}

void zoneLabel(QPainter& painter, const Scale& s, double top, double bottom, const QString& text)
{
    const double x = kColumnLeft + kColumnWidth + 8;
    painter.drawLine(QPointF(x, s.y(top)), QPointF(x, s.y(bottom)));
    painter.drawLine(QPointF(x - 3, s.y(top)), QPointF(x + 3, s.y(top)));
    painter.drawLine(QPointF(x - 3, s.y(bottom)), QPointF(x + 3, s.y(bottom)));
    painter.drawText(QRectF(x + 6, (s.y(top) + s.y(bottom)) / 2 - 17, 130, 34), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawSoilColumn(QPainter& painter, const ProjectData& p, const SettlementDetails& d, const Scale& s, double depth)
{
    painter.setBrush(QColor(245, 240, 225));
    painter.drawRect(QRectF(kColumnLeft, s.y(0), kColumnWidth, s.y(depth) - s.y(0)));
    painter.setBrush(Qt::black);
    painter.setPen(QPen(Qt::gray, 0.8));
    drawBoundaries(painter, s, p, SettlementZone::Head, 0, p.headThickness, p.headLayerCount, depth);
    drawBoundaries(painter, s, p, SettlementZone::Shaft, p.headLength, p.shaftThickness, p.shaftLayerCount, depth);
    drawBoundaries(painter, s, p, SettlementZone::Base, p.pileLength, p.baseThickness, p.baseLayerCount, depth);
    painter.setPen(QPen(Qt::black, 1.2));
    for (double z : {p.headLength, p.pileLength})
        painter.drawLine(QPointF(kColumnLeft - 6, s.y(z)), QPointF(kColumnLeft + kColumnWidth, s.y(z)));
    zoneLabel(painter, s, 0, p.headLength, QStringLiteral("扩大头段\nn1 = %1").arg(p.headLayerCount));
    zoneLabel(painter, s, p.headLength, p.pileLength, QStringLiteral("下部桩段\nn2 = %1").arg(p.shaftLayerCount));
    zoneLabel(painter, s, p.pileLength, depth, QStringLiteral("桩端以下\nn3 = %1").arg(p.baseLayerCount));
    painter.setPen(QPen(Qt::red, 1.2, Qt::DashLine));
    painter.drawLine(QPointF(kColumnLeft - 20, s.y(d.stopDepth)), QPointF(kColumnLeft + kColumnWidth + 4, s.y(d.stopDepth)));
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawText(QRectF(kColumnLeft - 150, s.y(d.stopDepth) - 18, 145, 16), Qt::AlignRight,
                     QStringLiteral("zn = %1 m").arg(report_format::depth(d.stopDepth)));
    painter.drawText(QRectF(kColumnLeft - 40, s.y(0) - 18, kColumnWidth + 80, 16), Qt::AlignCenter,
                     QStringLiteral("土层（深度按比例）"));
}

}  // namespace

void drawCalculationDrawing(QPainter& painter, const QRectF& rect, const ProjectData& p, const SettlementDetails& d)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / kDrawingLogicalSize.width(), rect.height() / kDrawingLogicalSize.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(reportFont(8.5));
    painter.setPen(QPen(Qt::black, 1.2));
    const double finiteStop = std::isfinite(d.stopDepth) ? d.stopDepth : 0;
    const double depth = std::max({p.pileLength, finiteStop, 1.0});
    const Scale scale{(kBottom - kGroundY) / depth};
    drawEmbankment(painter, p);
    drawPiles(painter, p, scale);
    drawSoilColumn(painter, p, d, scale, depth);
    painter.restore();
}
