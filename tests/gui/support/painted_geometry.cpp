#include "support/painted_geometry.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <algorithm>

namespace testing_support {

namespace {

// Takes every primitive untransformed (all features), maps it by the
// painter's transform and keeps it.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(PaintedGeometry& geometry) : QPaintEngine(AllFeatures), geometry_(geometry) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            geometry_.segments.append(transform().map(lines[i]));
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawPolygon(QPolygonF(rects[i]).constData(), 4, OddEvenMode);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        const int edges = mode == PolylineMode || count < 3 ? count - 1 : count;
        for (int i = 0; i < edges; ++i)
            geometry_.segments.append(transform().map(QLineF(points[i], points[(i + 1) % count])));
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        const QRectF box(at.x(), at.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        geometry_.texts.append({item.text(), transform().mapRect(box)});
    }

private:
    QTransform transform() const { return painter()->combinedTransform(); }

    PaintedGeometry& geometry_;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(QSize size, PaintedGeometry& geometry) : size_(size), engine_(geometry) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatioScaled: return devicePixelRatioFScale();
        default: return 1;
        }
    }

private:
    QSize size_;
    mutable RecordingEngine engine_;
};

}  // namespace

PaintedGeometry paintedGeometry(QSize size, const std::function<void(QPainter&)>& paint)
{
    PaintedGeometry geometry;
    RecordingDevice device(size, geometry);
    QPainter painter(&device);
    paint(painter);
    return geometry;
}

bool crosses(const QLineF& segment, const QRectF& box)
{
    const QRectF inside = box.adjusted(0.5, 0.5, -0.5, -0.5);
    if (inside.contains(segment.p1()) || inside.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{inside.topLeft(), inside.topRight()}, {inside.topRight(), inside.bottomRight()},
                            {inside.bottomRight(), inside.bottomLeft()}, {inside.bottomLeft(), inside.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges),
                       [&](const QLineF& edge) { return segment.intersects(edge, nullptr) == QLineF::BoundedIntersection; });
}

}  // namespace testing_support
