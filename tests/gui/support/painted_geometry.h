// What a painting puts on the page, in the page's coordinates: every line,
// polygon edge and rectangle edge as a segment, and the box of every line
// of text (its advance by its ascent and descent).
#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace testing_support {

struct PaintedText {
    QString text;
    QRectF box;
};

struct PaintedGeometry {
    QList<QLineF> segments;
    QList<PaintedText> texts;
};

// Paints on a page of `size` pixels at 96 dpi, recording instead of drawing.
PaintedGeometry paintedGeometry(QSize size, const std::function<void(QPainter&)>& paint);

// Whether the segment passes through the inside of the box (touching its
// edge is not crossing it).
bool crosses(const QLineF& segment, const QRectF& box);

}  // namespace testing_support
