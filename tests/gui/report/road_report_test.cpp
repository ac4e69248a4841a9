// The road's calculation report as a reviewer reads it, from the text
// extracted from the PDF: every section in the summary, the governing ones in
// full, each other on a page of its own, a refused section explained; the
// longest road's report within its time and size.
#include "report/road_report.h"

#include "report/report_document.h"
#include "report/report_html.h"

#include "engine/sections.h"
#include "model/platform.h"
#include "support/pdf_text.h"
#include "worked_examples.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>
#include <QTest>


using testing_support::pdfText;

namespace {

// A table of `count` sections every 50 m, the fill rising and falling; with
// demands, each on the borehole with its road class, fill history and
// strengths, as the bundled road gives them.
QByteArray roadOf(int count, bool withDemands = false)
{
    QByteArray table = "station,embankmentHeight";
    table += withDemands ? ",roadClass,location,fill,pavementDay,profile,c.fill,phi.fill,pileShear,stabilityRequired\n" : "\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray h = QByteArray::number(2.5 + 2.0 * (i % 7) / 7, 'f', 2);
        table += "K" + QByteArray::number(i * 50 / 1000) + "+" + QByteArray::number(i * 50 % 1000).rightJustified(3, '0')
                 + "," + h;
        table += withDemands ? ",highway,general,\"0:0,90:1.5,180:" + h + "\",420,bh.csv,15,28,120,1.25\n" : "\n";
    }
    return table;
}

RoadReportRequest requestFor(const QByteArray& table)
{
    RoadReportRequest request;
    request.base = settlementExample();
    // Every profile the table names is one borehole whose strata carry their
    // names and values: its sections are checked after construction and
    // under the tips, as the bundled road's are.
    const SectionTableRead read = readSectionTable(table.toStdString(), [](const std::string&) {
        return readProfileCsv("土层名称,层厚,侧摩阻力,压缩模量,重度,固结系数,地基承载力特征值,黏聚力,内摩擦角\n"
                              "素填土,1.2,8,3,18,5,90,12,18\n淤泥质黏土,4.8,10,3.5,17.5,1.2,60,8,6\n"
                              "粉质黏土,5,16,6,19,3.5,140,22,16\n粉砂,6,22,10,19.5,100,200,2,30\n"
                              "中砂,8,,15,20,150,240,0,34\n");
    });
    if (!read.ok())
        qFatal("%s", read.errors.front().c_str());
    request.sections = read.sections;
    request.demands = DesignDemands(20, 150);
    request.points = computeSections(request.base, request.sections, request.demands);
    request.projectName = QStringLiteral("示例路段");
    request.date = QDate(2026, 12, 8);
    request.baseFileName = QStringLiteral("base.txt");
    request.tableFileName = QStringLiteral("sections.csv");
    request.tableBytes = table;
    return request;
}

QStringList pagesOf(const QString& text)
{
    QStringList pages = text.split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The stations whose compact page starts on each page, in order.
QStringList sectionPageHeadings(const QStringList& pages)
{
    static const QRegularExpression heading(QStringLiteral("^\\s*桩号 (K\\S+)\\s*$"),
                                            QRegularExpression::MultilineOption);
    QStringList stations;
    for (const QString& page : pages) {
        QRegularExpressionMatchIterator it = heading.globalMatch(page);
        QStringList onPage;
        while (it.hasNext())
            onPage << it.next().captured(1);
        if (onPage.size() > 1)
            return {QStringLiteral("two sections on one page: ") + onPage.join(' ')};
        stations += onPage;
    }
    return stations;
}

// The pages (numbered from 1) whose body, without the header and the
// footer, holds fewer than four lines: a heading or a conclusion alone. The
// longitudinal chart's page is full: its words are drawn, not set as text.
QList<int> nearlyEmptyPages(const QStringList& pages, const QString& projectName)
{
    QList<int> nearlyEmpty;
    for (int i = 0; i < pages.size(); ++i) {
        if (pages[i].contains(QStringLiteral("三、纵断面图")))
            continue;
        int lines = 0;
        for (const QString& line : pages[i].split(QChar('\n'))) {
            const QString words = line.simplified();
            if (!words.isEmpty() && !words.contains(projectName) && !words.contains(QStringLiteral("路段计算书"))
                && !(words.startsWith(QStringLiteral("第")) && words.endsWith(QStringLiteral("页"))))
                ++lines;
        }
        if (lines < 4)
            nearlyEmpty << i + 1;
    }
    return nearlyEmpty;
}

// The pages of the other sections that do not hold exactly one section from
// its heading to its conclusion: a section spilt over a page, a row split.
QList<int> brokenSectionPages(const QStringList& pages)
{
    static const QRegularExpression heading(QStringLiteral("^\\s*桩号 K\\S+\\s*$"), QRegularExpression::MultilineOption);
    QList<int> broken;
    bool inPart = false;
    for (int i = 0; i < pages.size(); ++i) {
        inPart = inPart || pages[i].contains(QStringLiteral("其他断面的计算"));
        const auto ends = pages[i].count(QStringLiteral("结论：")) + pages[i].count(QStringLiteral("本断面未计算："));
        int headings = 0;
        for (auto it = heading.globalMatch(pages[i]); it.hasNext(); it.next())
            ++headings;
        if (inPart && (headings != 1 || ends != 1))
            broken << i + 1;
    }
    return broken;
}

QString between(const QString& text, const QString& from, const QString& to)
{
    const qsizetype start = text.indexOf(from);
    return start < 0 ? QString() : text.mid(start, text.indexOf(to, start) - start);
}

}  // namespace

class RoadReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void everySectionReported_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("inFull");      // the governing sections, chapters of their own
        QTest::addColumn<QStringList>("onOwnPages");  // every other section, in order
        QTest::addColumn<QStringList>("notComputed");
        QTest::addColumn<QStringList>("concluded");  // parts of the text, blanks left out
        QTest::addRow("one section governs both checks")
            << QByteArray("station,embankmentHeight\nK0+000,3\nK0+050,4.5\nK0+100,2\n") << QStringList{"K0+050"}
            << QStringList{"K0+000", "K0+100"} << QStringList{} << QStringList{"全部3个断面均满足验算要求"};
        QTest::addRow("bearing and settlement governed apart")
            << QByteArray("station,embankmentHeight,soilCapacity\nK0+000,3,30\nK0+050,4.5,\nK0+100,2,\n")
            << QStringList{"K0+000", "K0+050"} << QStringList{"K0+100"} << QStringList{}
            << QStringList{"全部3个断面均满足验算要求"};
        QTest::addRow("a refused section")
            << QByteArray("station,embankmentHeight,headDiameter\nK0+000,3,\nK0+050,4,0\n") << QStringList{"K0+000"}
            << QStringList{"K0+050"} << QStringList{"K0+050"} << QStringList{"1个断面的输入有误，未计算：K0+050"};
        // Without cv the check after construction cannot be made: the section
        // that fails only for it is not failing, and each is shown with the
        // location and the allowance it was checked against.
        QTest::addRow("a section not checkable apart from a failing one")
            << QByteArray("station,embankmentHeight,soilCapacity,roadClass,location\n"
                          "K0+000,5,30,highway,abutment\nK0+050,3,,highway,general\n")
            << QStringList{"K0+000"} << QStringList{"K0+050"} << QStringList{}
            << QStringList{"其中1个不满足验算要求：K0+000（复合地基承载力）。1个断面未能完成验算：K0+050（工后沉降）。",
                           "工后沉降按各断面的路段类型及其容许值[s工后]验算",
                           "道路等级高速公路、一级公路路段类型一般路段",
                           "≤[s工后]=100mm", "≤[s工后]=300mm"};
        // Sections with their own demands, histories, strata and strengths:
        // each still on a page of its own.
        QTest::addRow("sections with their own demands and strata")
            << QByteArray("station,embankmentHeight,roadClass,location,fill,pavementDay,profile,"
                          "c.fill,phi.fill,pileShear,stabilityRequired\n"
                          "K0+000,3,highway,abutment,\"0:0,90:1.5,180:3\",420,bh.csv,15,28,120,1.25\n"
                          "K0+050,3,highway,general,\"0:0,90:1.5,180:3\",420,bh.csv,15,28,120,1.25\n"
                          "K0+100,3,highway,general,\"0:0,90:3\",300,bh.csv,15,28,120,1.25\n")
            << QStringList{"K0+000"} << QStringList{"K0+050", "K0+100"} << QStringList{}
            << QStringList{"2淤泥质黏土", "下卧层", "整体稳定"};
        // The highest fill first reached at K0+300 governs both checks.
        QStringList others;
        for (int i = 0; i < 30; ++i)
            if (i != 6)
                others << QStringLiteral("K%1+%2").arg(i * 50 / 1000).arg(i * 50 % 1000, 3, 10, QChar('0'));
        QTest::addRow("thirty sections over many pages")
            << roadOf(30) << QStringList{"K0+300"} << others << QStringList{} << QStringList{"全部30个断面均满足验算要求"};
        // Every column of the summary: a station and a number stay on one
        // line, and no row of the summary spills onto a page of its own.
        QTest::addRow("thirty-one sections with every demand")
            << roadOf(31, true) << QStringList{"K0+300"} << (others << "K1+500") << QStringList{}
            << QStringList{"全部31个断面均满足验算要求"};
    }

    void everySectionReported()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, inFull);
        QFETCH(QStringList, onOwnPages);
        QFETCH(QStringList, notComputed);
        QFETCH(QStringList, concluded);
        const RoadReportRequest request = requestFor(table);
        const QString path = folder_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-') + ".pdf");
        const ReportStatus status = writeRoadReport(request, path);
        QVERIFY2(status.ok, qPrintable(status.reason));
        const QString text = pdfText(path);
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) read nothing");

        const QString summary = between(text, QStringLiteral("二、计算结果汇总"), QStringLiteral("三、纵断面图"));
        for (const Section& s : request.sections)
            QVERIFY2(summary.contains(QString::fromStdString(s.station)), s.station.c_str());
        QCOMPARE(summary.count(QStringLiteral("未计算")), notComputed.size());
        for (const QString& station : inFull)
            QCOMPARE(text.count(QStringLiteral("控制断面 %1 的详细计算").arg(station)), 1);
        QCOMPARE(text.count(QStringLiteral("的详细计算（")), inFull.size());
        QCOMPARE(sectionPageHeadings(pagesOf(text)), onOwnPages);
        QCOMPARE(nearlyEmptyPages(pagesOf(text), request.projectName), QList<int>{});
        QCOMPARE(brokenSectionPages(pagesOf(text)), QList<int>{});
        QCOMPARE(text.count(QStringLiteral("本断面未计算")), notComputed.size());
        const QString unbroken = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& part : concluded)
            QVERIFY2(unbroken.contains(part), qPrintable(part));
    }

    // The allowance after construction names the road class and the
    // location it was read for.
    void allowanceNamesWhereItComesFrom()
    {
        RoadReportRequest request = requestFor(QByteArray("station,embankmentHeight\nK0+000,3\n"));
        request.base.extension.set("roadClass", "highway");
        request.base.extension.set("location", "general");
        request.points = computeSections(request.base, request.sections, request.demands);
        const QString path = folder_.filePath(QStringLiteral("allowance.pdf"));
        const ReportStatus status = writeRoadReport(request, path);
        QVERIFY2(status.ok, qPrintable(status.reason));
        static const QRegularExpression space(QStringLiteral("\\s"));
        const QString words = pdfText(path).remove(space);
        QVERIFY2(words.contains(QStringLiteral("[s工后]=300mm（按高速公路、一级公路、一般路段查表）验算")), qPrintable(words.left(2000)));
    }

    // The longest road the goal names: 200 sections.
    // A heading or caption right below a table (the summary, a section's
    // values) stands off the table's last row by its own top margin, as it
    // does below a paragraph, instead of touching the frame: whether the
    // last row ends in an empty cell (a section governing nothing) or not,
    // the table on one page or over several.
    void headingsStandClearOfTheTableAbove_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<QString>("lastCell");
        QTest::addColumn<int>("rows");
        const QString heading = report_html::heading(QStringLiteral("三、"), QStringLiteral("纵断面图"));
        const QString caption = report_html::caption(QStringLiteral("表 2 各断面的计算结果"));
        QTest::newRow("headingBelowEmptyCell") << heading << QString() << 1;
        QTest::newRow("captionBelowEmptyCell") << caption << QString() << 1;
        QTest::newRow("headingBelowFilledCell") << heading << QStringLiteral("沉降") << 1;
        QTest::newRow("captionBelowFilledCell") << caption << QStringLiteral("沉降") << 1;
        QTest::newRow("headingBelowTableOverPages") << heading << QString() << 80;
    }

    void headingsStandClearOfTheTableAbove()
    {
        QFETCH(QString, below);
        QFETCH(QString, lastCell);
        QFETCH(int, rows);
        ReportDocument report(QStringLiteral("计算书"));
        report.setHtml(report_html::caption(QStringLiteral("表 1 汇总"))
                       + report_html::table({QStringLiteral("桩号"), QStringLiteral("控制")},
                                            QList<QStringList>(rows, {QStringLiteral("K3+000"), lastCell}))
                       + below);
        const QTextDocument& doc = report.text();
        const QTextBlock lastRow = doc.find(QStringLiteral("K3+000"), doc.characterCount(), QTextDocument::FindBackward).block();
        const QTextBlock heading = doc.find(QStringLiteral("断面")).block();
        QVERIFY(QTextCursor(lastRow).currentTable());
        QVERIFY(!QTextCursor(heading).currentTable());
        const double margin = heading.blockFormat().topMargin();
        QVERIFY(margin >= 12);
        const double gap = doc.documentLayout()->blockBoundingRect(heading).top()
                           - doc.documentLayout()->blockBoundingRect(lastRow).bottom();
        QVERIFY2(gap >= margin, qPrintable(QStringLiteral("%1 px, at least %2").arg(gap).arg(margin)));
    }

    void longRoadWithinTimeAndSize()
    {
        const RoadReportRequest request = requestFor(roadOf(200));
        const QString path = folder_.filePath(QStringLiteral("long-road.pdf"));
        // The processor time of this process: a busy machine slows the clock
        // on the wall, not the work.
        const double started = platform::processorSeconds();
        const ReportStatus status = writeRoadReport(request, path);
        const auto milliseconds = static_cast<qint64>(1000.0 * (platform::processorSeconds() - started));
        QVERIFY2(status.ok, qPrintable(status.reason));
        const qint64 bytes = QFileInfo(path).size();
        qInfo("200 sections: %lld ms, %lld bytes", milliseconds, bytes);
        QVERIFY2(bytes < 10'000'000, qPrintable(QString::number(bytes)));
        QVERIFY2(milliseconds < 15'000, qPrintable(QString::number(milliseconds)));
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(RoadReportTest)
#include "road_report_test.moc"
