// The figures a report draws where its markers stand: a chart of QtCharts,
// the calculation drawing, and an SVG picture, each as vector graphics at
// its printed size.
#pragma once

#include "engine/breakdown.h"

#include <QByteArray>
#include <QGraphicsScene>
#include <QObject>
#include <QSvgRenderer>
#include <QTextObjectInterface>

class QChart;
class QTextDocument;

// A chart laid out at its printed size: its 9 pt text prints at 9 pt.
class ChartFigure : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    ChartFigure(QChart* chart, const QTextDocument& doc);  // takes the chart
    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override;

private:
    QChart* chart_;
    QGraphicsScene scene_;  // owns the chart
};

class DrawingFigure : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    DrawingFigure(const ProjectData& project, const SettlementDetails& settlement)
        : project_(project), settlement_(settlement) {}
    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override;

private:
    const ProjectData& project_;
    const SettlementDetails& settlement_;
};

// An SVG picture as wide as the text, its texts set in the report's face.
class SvgFigure : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit SvgFigure(const QByteArray& svg);
    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override;

private:
    QSvgRenderer renderer_;
};

// The face every report is set in, a substitute found on Windows.
QString reportFontFamily();
