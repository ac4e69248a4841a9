#include "forms/profile/profile_drawing.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kTop = 16;        // px above the ground line
constexpr int kBottom = 8;
constexpr int kDepthAxis = 36;  // px left of the bands, for depth marks

const std::array<QColor, 6> kBandColours{QColor(0xE8, 0xD8, 0xB0), QColor(0xC9, 0xB2, 0x8A),
                                          QColor(0xB7, 0xC9, 0xA0), QColor(0xD9, 0xC2, 0xA6),
                                          QColor(0xA9, 0xB8, 0xC6), QColor(0xCF, 0xCF, 0xB8)};

QString metres(double value) { return QLocale::c().toString(value, 'g', 6) + QStringLiteral(" m"); }

}  // namespace

ProfileDrawing::ProfileDrawing(const PileShape& pile, QWidget* parent) : QWidget(parent), pile_(pile)
{
    setMinimumSize(240, 360);
}

void ProfileDrawing::setProfile(const SoilProfile& profile)
{
    profile_ = profile;
    update();
}

QSize ProfileDrawing::sizeHint() const { return {280, 480}; }

// Down to a quarter below the tips, or to the top of the last stratum and a
// little of it when that lies deeper.
double ProfileDrawing::drawnDepth() const
{
    double lastTop = 0;
    for (size_t i = 0; i + 1 < profile_.size(); ++i)
        lastTop += std::max(profile_[i].thickness, 0.0);
    const double belowTips = pile_.pileLength * 1.25;
    const double depth = std::max({belowTips, lastTop + 0.1 * std::max(belowTips, lastTop), 1.0});
    return std::isfinite(depth) ? depth : 1.0;
}

void ProfileDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const double scale = (height() - kTop - kBottom) / drawnDepth();  // px per m
    drawStrata(painter, scale);
    drawPile(painter, scale);
}

void ProfileDrawing::drawStrata(QPainter& painter, double scale) const
{
    const int right = width() - 4;
    const int bottom = height() - kBottom;
    double top = 0;
    for (size_t i = 0; i < profile_.size(); ++i) {
        const bool last = i + 1 == profile_.size();
        const double thickness = std::max(profile_[i].thickness, 0.0);
        const int y0 = kTop + static_cast<int>(std::lround(top * scale));
        const int y1 = last ? bottom : std::min(bottom, kTop + static_cast<int>(std::lround((top + thickness) * scale)));
        if (y0 >= bottom)
            break;
        const QRect band(kDepthAxis, y0, right - kDepthAxis, y1 - y0);
        painter.fillRect(band, kBandColours[i % kBandColours.size()]);
        painter.setPen(Qt::darkGray);
        painter.drawLine(kDepthAxis, y1, right, y1);
        painter.setPen(Qt::black);
        if (band.height() >= painter.fontMetrics().height())
            painter.drawText(band.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(profile_[i].name));
        if (!last)
            painter.drawText(QRect(0, y1 - 8, kDepthAxis - 2, 16), Qt::AlignRight | Qt::AlignVCenter,
                             QLocale::c().toString(top + thickness, 'g', 4));
        top += thickness;
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(kDepthAxis, kTop, right, kTop);
}

// The pile stands in the right part of the bands, its H and L marked left of it.
void ProfileDrawing::drawPile(QPainter& painter, double scale) const
{
    if (!(pile_.pileLength > pile_.headLength) || !(pile_.headLength > 0))
        return;
    const double centre = kDepthAxis + (width() - kDepthAxis) * 0.75;
    const double headWidth = std::max(pile_.headDiameter * scale, 4.0);
    const double shaftWidth = std::max(pile_.shaftDiameter * scale, 2.0);
    const QRectF head(centre - headWidth / 2, kTop, headWidth, pile_.headLength * scale);
    const QRectF shaft(centre - shaftWidth / 2, kTop + pile_.headLength * scale, shaftWidth,
                       (pile_.pileLength - pile_.headLength) * scale);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xB0, 0xB0, 0xB0));
    painter.drawRect(head);
    painter.drawRect(shaft);
    painter.setBrush(Qt::NoBrush);
    const QRectF labels(kDepthAxis, 0, centre - headWidth / 2 - 4 - kDepthAxis, 0);
    const auto label = [&](double y, const QString& text) {
        painter.drawText(labels.adjusted(0, y - 16, 0, y), Qt::AlignRight | Qt::AlignBottom, text);
    };
    label(head.bottom(), QStringLiteral("H = ") + metres(pile_.headLength));
    label(shaft.bottom(), QStringLiteral("L = ") + metres(pile_.pileLength));
}
