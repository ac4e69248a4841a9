// The figures a report draws where its markers stand: a chart of QtCharts,
// the calculation drawing, and an SVG picture, each as vector graphics at
// its printed size.
#pragma once

#include "engine/breakdown.h"

#include <QByteArray>
#include <QObject>
#include <QSvgRenderer>
#include <QTextObjectInterface>

#include <functional>

class QChart;
class QFont;
class QTextDocument;

// A chart laid out at its printed size: its 9 pt text prints at 9 pt. A
// chart is a graphics widget, which lives on the interface's thread only:
// it is made and drawn there, while the report may be written in a thread
// of its own.
class ChartFigure : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    // `makeChart` gives a new chart, which the figure then owns.
    ChartFigure(std::function<QChart*()> makeChart, const QTextDocument& doc);
    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override;

private:
    std::function<QChart*()> makeChart_;
    QSizeF size_;
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

// The face every report is set in, the one built into the program (loaded
// at the first call) on every system, so that a report has the same glyphs,
// line breaks and pages wherever it is written.
QString reportFontFamily();
// Loads the built-in face; called once at start-up on the interface's
// thread, before a report may be written in a thread of its own. False
// when it could not be loaded (the system's face of that name, if any,
// stands in).
bool loadReportFont();
// The report's face at that size, laid out by its design metrics: hinting
// and its rounding of widths differ from system to system.
QFont reportFont(double pointSize);
// A chart's SVG with its texts in the report's face, for the report and the
// windows alike: the system's sans-serif may lack the Chinese glyphs.
QByteArray svgInReportFace(const QByteArray& svg);
