#include "forms/stability/section_drawing.h"

#include "ui/number_text.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace stability {
namespace {

constexpr double kMarginMetres = 2;
constexpr int kMarginPixels = 8;
constexpr int kMostPiles = 400;  // closer piles are not told apart at any scale on screen
constexpr int kArcPoints = 120;

const QColor kZoneColours[3][2] = {{QColor(0xe9, 0xdc, 0xc0), QColor(0xe1, 0xd2, 0xb2)},
                                   {QColor(0xdc, 0xcb, 0x9f), QColor(0xd3, 0xc1, 0x93)},
                                   {QColor(0xcd, 0xbb, 0x8c), QColor(0xc4, 0xb1, 0x80)}};
const QColor kFillColour(0xf2, 0xdc, 0x9b);
const QColor kPileColour(0x9a, 0x9a, 0x9a);

double spacingAcross(const ProjectData& p)
{
    switch (p.layoutType) {
    case kLayoutTriangle: return p.spacingTriangle;
    case kLayoutSquare: return p.spacingSquare;
    default: return p.spacingTransverse;
    }
}

const SideStability& sideOf(const StabilityResult& r, Side side) { return side == Side::Left ? r.left : r.right; }

}  // namespace

SectionDrawing::SectionDrawing(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(420, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SectionDrawing::showSection(const ProjectData& p, double treatedLeft, double treatedRight)
{
    project_ = &p;
    strata_.clear();
    struct Zone {
        const char* name;
        const LayerTable& thickness;
        int count;
    };
    const Zone zones[] = {{"扩大头段", p.headThickness, p.headLayerCount},
                          {"下部桩段", p.shaftThickness, p.shaftLayerCount},
                          {"桩端以下", p.baseThickness, p.baseLayerCount}};
    double top = 0;
    for (int z = 0; z < 3; ++z)
        for (int i = 1; i <= usedLayers(zones[z].count); ++i) {
            const double bottom = top + zones[z].thickness[i];
            if (!(bottom > top) || !std::isfinite(bottom))
                break;
            strata_.push_back({top, bottom, QString::fromUtf8(zones[z].name) + ui::formatInt(i), z});
            top = bottom;
        }
    treatedLeft_ = treatedLeft;
    treatedRight_ = treatedRight;
    placePiles(treatedLeft, treatedRight);
    result_.reset();
    update();
}

// Piles at the transverse spacing from the centreline out, inside the zone.
void SectionDrawing::placePiles(double treatedLeft, double treatedRight)
{
    pileXs_.clear();
    const double s = spacingAcross(*project_);
    if (!(s > 0) || !(treatedRight > treatedLeft) || (treatedRight - treatedLeft) / s > kMostPiles)
        return;
    for (long k = static_cast<long>(std::ceil(treatedLeft / s)); k * s <= treatedRight; ++k)
        pileXs_.push_back(k * s);
}

void SectionDrawing::showCircles(const StabilityResult& result)
{
    result_ = result;
    update();
}

void SectionDrawing::clearCircles()
{
    result_.reset();
    update();
}

double SectionDrawing::surfaceY(double x) const
{
    const ProjectData& p = *project_;
    const double h = p.embankmentHeight;
    const double crest = p.embankmentTopWidth / 2;
    if (x < -crest)
        return std::max(0.0, h - (-crest - x) / p.slopeM);
    if (x > crest)
        return std::max(0.0, h - (x - crest) / p.slopeN);
    return h;
}

// The section's toes and piles with a margin, the circles' centres and
// lowest points, in metres: y up from the ground surface.
QRectF SectionDrawing::extent() const
{
    const ProjectData& p = *project_;
    const double h = p.embankmentHeight;
    double left = std::min(-p.embankmentTopWidth / 2 - p.slopeM * h, treatedLeft_) - kMarginMetres;
    double right = std::max(p.embankmentTopWidth / 2 + p.slopeN * h, treatedRight_) + kMarginMetres;
    double top = h + kMarginMetres;
    double bottom = -(p.pileLength + kMarginMetres);
    if (result_)
        for (const Side side : {Side::Left, Side::Right}) {
            const SideStability& s = sideOf(*result_, side);
            const SlipCircle& c = s.circle;
            left = std::min({left, c.xc - kMarginMetres, s.least.entryX - kMarginMetres, s.least.exitX - kMarginMetres});
            right = std::max({right, c.xc + kMarginMetres, s.least.entryX + kMarginMetres, s.least.exitX + kMarginMetres});
            top = std::max(top, c.yc + kMarginMetres);
            bottom = std::min(bottom, c.yc - c.radius - kMarginMetres);
        }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void SectionDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!project_)
        return;
    const ProjectData& p = *project_;
    const QRectF world = extent();
    const QRectF area = QRectF(rect()).adjusted(kMarginPixels, kMarginPixels, -kMarginPixels, -kMarginPixels);
    // Pixels per metre, the same across and down.
    const double scale = std::min(area.width() / world.width(), area.height() / -world.height());
    if (!(scale > 0) || !std::isfinite(scale))
        return;
    const QPointF origin(area.left() + (area.width() - world.width() * scale) / 2 - world.left() * scale,
                         area.top() + (area.height() + world.height() * scale) / 2 + world.top() * scale);
    const auto at = [&](double x, double y) { return QPointF(origin.x() + x * scale, origin.y() - y * scale); };
    painter.setRenderHint(QPainter::Antialiasing);

    for (std::size_t i = 0; i < strata_.size(); ++i) {
        const Stratum& s = strata_[i];
        const QRectF band(QPointF(rect().left(), at(0, -s.top).y()), QPointF(rect().right(), at(0, -s.bottom).y()));
        painter.fillRect(band, kZoneColours[s.zone][i % 2]);
        painter.setPen(QPen(Qt::darkGray, 0));
        painter.drawLine(band.bottomLeft(), band.bottomRight());
        if (band.height() >= painter.fontMetrics().height())
            painter.drawText(band.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, s.name);
    }

    const double h = p.embankmentHeight;
    const QPolygonF fill({at(-p.embankmentTopWidth / 2 - p.slopeM * h, 0), at(-p.embankmentTopWidth / 2, h),
                          at(p.embankmentTopWidth / 2, h), at(p.embankmentTopWidth / 2 + p.slopeN * h, 0)});
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(kFillColour);
    painter.drawPolygon(fill);
    painter.drawLine(QPointF(rect().left(), at(0, 0).y()), QPointF(rect().right(), at(0, 0).y()));

    painter.setPen(Qt::NoPen);
    painter.setBrush(kPileColour);
    for (const double x : pileXs_) {
        painter.drawRect(QRectF(at(x - p.headDiameter / 2, 0), at(x + p.headDiameter / 2, -p.headLength)));
        painter.drawRect(QRectF(at(x - p.shaftDiameter / 2, -p.headLength), at(x + p.shaftDiameter / 2, -p.pileLength)));
    }
    if (!result_)
        return;
    for (const Side side : {Side::Left, Side::Right}) {
        const SideStability& s = sideOf(*result_, side);
        const SlipCircle& c = s.circle;
        const bool governs = side == result_->side;
        const QColor colour = governs ? QColor(0xc0, 0x20, 0x20) : QColor(0x20, 0x50, 0xb0);
        QPointF ends[2] = {{s.least.entryX, s.least.entryY}, {s.least.exitX, s.least.exitY}};
        if (ends[0].x() > ends[1].x())
            std::swap(ends[0], ends[1]);
        const double from = std::atan2(ends[0].y() - c.yc, ends[0].x() - c.xc);
        const double to = std::atan2(ends[1].y() - c.yc, ends[1].x() - c.xc);
        QPolygonF arc;
        for (int i = 0; i <= kArcPoints; ++i) {
            const double angle = from + (to - from) * i / kArcPoints;
            arc << at(c.xc + c.radius * std::cos(angle), c.yc + c.radius * std::sin(angle));
        }
        QPolygonF mass = arc;
        const double breaks[] = {p.embankmentTopWidth / 2 + p.slopeN * h, p.embankmentTopWidth / 2,
                                 -p.embankmentTopWidth / 2, -p.embankmentTopWidth / 2 - p.slopeM * h};
        for (const double x : breaks)
            if (x > ends[0].x() && x < ends[1].x())
                mass << at(x, surfaceY(x));
        QColor tint = colour;
        tint.setAlpha(60);
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawPolygon(mass);
        painter.setPen(QPen(colour, governs ? 2.5 : 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(arc);
        painter.setPen(QPen(colour, 0.8, Qt::DashLine));
        painter.drawLine(at(c.xc, c.yc), arc.first());
        painter.drawLine(at(c.xc, c.yc), arc.last());
        painter.setPen(QPen(colour, 1));
        const QPointF centre = at(c.xc, c.yc);
        painter.drawLine(centre - QPointF(4, 0), centre + QPointF(4, 0));
        painter.drawLine(centre - QPointF(0, 4), centre + QPointF(0, 4));
        painter.drawText(centre + QPointF(6, -4), QStringLiteral("%1 F = %2")
                                                      .arg(side == Side::Left ? QStringLiteral("左侧") : QStringLiteral("右侧"),
                                                           ui::formatResult(s.least.factor, 3)));
    }
}

}  // namespace stability
