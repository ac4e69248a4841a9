// The calculation report as a reviewer reads it, from the text extracted
// from the PDF: the worked example's results, the stop test under each
// criterion, the typed Ra weighed against the computed one, the longest
// report's split tables, numbered pages; a failed write leaves nothing.
#include "report/calculation_drawing.h"
#include "report/calculation_report.h"
#include "report/report_content.h"
#include "report/report_figures.h"
#include "report/report_text.h"

#include "support/painted_geometry.h"
#include "support/pdf_text.h"
#include "ui/number_text.h"
#include "worked_examples.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <limits>

using testing_support::pdfText;
using testing_support::pdfFaces;
using testing_support::crosses;
using testing_support::paintedGeometry;

namespace {


ReportRequest workedExampleRequest()
{
    ReportRequest request;
    request.project = settlementExample();
    request.project.deriveEquivalentDiameter();
    request.projectName = QStringLiteral("示例工程");
    request.date = QDate(2026, 5, 17);
    // The shaft's layers split from a borehole log, named as its strata.
    request.project.extension.set("name.shaft", "淤泥质黏土,粉质黏土\\,可塑");
    return request;
}

// Every zone split into the most layers a zone holds, the base layers 1 m
// each, the shaft's at 0.1 m steps of whole numbers: the longest report.
ReportRequest manyLayersRequest()
{
    ReportRequest request = workedExampleRequest();
    ProjectData& p = request.project;
    p.headLayerCount = p.shaftLayerCount = p.baseLayerCount = kMaxLayers;
    for (int i = 1; i <= kMaxLayers; ++i) {
        p.headThickness[i] = p.headLength / kMaxLayers;
        p.shaftThickness[i] = (p.pileLength - p.headLength) / kMaxLayers;
        p.baseThickness[i] = 1.0;
        p.headFriction[i] = p.shaftFriction[i] = 12;
        p.headSoilModulus[i] = p.shaftSoilModulus[i] = 3 + i % 5;
        p.baseSoilModulus[i] = 4 + i % 7;
        p.headUnitWeight[i] = p.shaftUnitWeight[i] = p.baseUnitWeight[i] = 8 + i % 3;
    }
    p.stopCriterion = kStopStressRatio01;
    request.sliceAppendix = true;
    return request;
}

struct WrittenReport {
    QString text;
    qint64 bytes = 0;
    qint64 milliseconds = 0;
};

WrittenReport writeAndRead(const ReportRequest& request, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    const ReportStatus status = writeCalculationReport(request, path);
    WrittenReport written;
    written.milliseconds = timer.elapsed();
    if (!status.ok) {
        qWarning("%s", qPrintable(status.reason));
        return written;
    }
    written.bytes = QFileInfo(path).size();
    written.text = pdfText(path);
    return written;
}

// The text without its spaces and line breaks, in compatibility form: a line
// may wrap anywhere, and a face that Windows substitutes may extract a
// character as its compatibility form (力 as the Kangxi radical).
QString wordsOf(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("\\s"));
    return text.normalized(QString::NormalizationForm_KC).remove(space);
}

bool holds(const QString& text, const QString& expected)
{
    return wordsOf(text).contains(wordsOf(expected));
}

// The pages of a report's text, in order.
QStringList pagesOf(const QString& text)
{
    QStringList pages = text.split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

}  // namespace

class CalculationReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        const WrittenReport worked = writeAndRead(workedExampleRequest(), folder_.filePath(QStringLiteral("worked.pdf")));
        qInfo("worked example's report: %lld ms, %lld bytes", worked.milliseconds, worked.bytes);
        QVERIFY2(!worked.text.isEmpty(), "pdftotext (poppler-utils) read nothing");
        text_ = worked.text;
    }

    void holdsTheResults_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addRow("title") << reportTitle();
        QTest::addRow("project name") << QStringLiteral("示例工程");
        QTest::addRow("resistance by the soil") << QStringLiteral("土对桩的支承力 R1");
        QTest::addRow("resistance by the shaft body") << QStringLiteral("下部桩身强度 R2");
        QTest::addRow("resistance by the head body") << QStringLiteral("扩大头桩身强度 R3");
        QTest::addRow("R2 value") << QStringLiteral("289.62");
        QTest::addRow("R3 value") << QStringLiteral("824.67");
        QTest::addRow("pile capacity") << QStringLiteral("275.48");
        QTest::addRow("composite capacity") << QStringLiteral("126.58");
        QTest::addRow("embankment load") << QStringLiteral("= γ·h = 19×3 = 57.00 kPa");
        QTest::addRow("settlement") << QStringLiteral("71.12");
        QTest::addRow("settlement summed from unrounded zones")
            << QStringLiteral("S = S1 + S2 + S3 = 71.12 mm（由未舍入的 S1、S2、S3 相加后取两位小数）");
        QTest::addRow("cumulative column summed from unrounded layers")
            << QStringLiteral("ΣS 由未舍入的 ΔS 累加后取两位小数，与表中两位小数的 ΔS 逐项相加可差 0.01 mm。");
        QTest::addRow("stop depth") << QStringLiteral("计算深度 zn = 19.000 m");
        QTest::addRow("last base layer") << QStringLiteral("未穿透");
        QTest::addRow("stratum's name in the layer tables") << QStringLiteral("2 粉质黏土,可塑");
        QTest::addRow("signature lines") << QStringLiteral("日期：____________");
    }

    void holdsTheResults()
    {
        QFETCH(QString, expected);
        QVERIFY2(holds(text_, expected), qPrintable(expected));
    }

    // A value reads in the report as the forms and windows show it: two and
    // three places by the forms' rounding, also where the binary value lies
    // just below the half (2.675) and for a negative value (cut toward zero).
    void numbersReadAsTheFormsShowThem_data()
    {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::addRow("settlement on the half") << report_format::settlement(48.335) << ui::formatResult2(48.335)
                                                << QStringLiteral("48.34");
        QTest::addRow("settlement just below the half")
            << report_format::settlement(2.675) << ui::formatResult2(2.675) << QStringLiteral("2.68");
        QTest::addRow("force just below the half") << report_format::force(1.115) << ui::formatResult2(1.115)
                                                   << QStringLiteral("1.12");
        QTest::addRow("stress below the half") << report_format::stress(1.1149) << ui::formatResult2(1.1149)
                                               << QStringLiteral("1.11");
        QTest::addRow("negative stress") << report_format::stress(-1.234) << ui::formatResult2(-1.234)
                                         << QStringLiteral("-1.22");
        QTest::addRow("depth just below the half") << report_format::depth(1.0005) << ui::formatResult(1.0005, 3)
                                                   << QStringLiteral("1.001");
        QTest::addRow("modulus below the half") << report_format::modulus(1.00049) << ui::formatResult(1.00049, 3)
                                                << QStringLiteral("1.000");
        QTest::addRow("degree of consolidation") << report_text::fixed(0.8765, 3) << ui::formatResult(0.8765, 3)
                                                 << QStringLiteral("0.877");
    }

    void numbersReadAsTheFormsShowThem()
    {
        QFETCH(QString, reported);
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
        QCOMPARE(reported, expected);
    }

    // A printed total a reader adds by hand from its printed parts.
    void totalsAddUpAtThePrintedPrecision_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QStringList>("totals");
        QTest::addColumn<bool>("addsUp");
        const QStringList zones{"3.58", "37.35", "30.20"};
        QTest::addRow("totalOneHundredthShort") << zones << QStringList{"", "", "71.12"} << false;
        QTest::addRow("totalOfThePrintedParts") << zones << QStringList{"", "", "71.13"} << true;
        QTest::addRow("runningTotalsOfThePrintedParts") << zones << QStringList{"3.58", "40.93", "71.13"} << true;
        QTest::addRow("runningTotalOffMidway") << zones << QStringList{"3.58", "40.94", "71.13"} << false;
        QTest::addRow("slicesRoundedToTheTotalsDecimals")
            << QStringList{"0.0049", "0.0049"} << QStringList{"0.00", "0.01"} << true;
        QTest::addRow("slicesOffAtTheTotalsDecimals")
            << QStringList{"0.0049", "0.0049"} << QStringList{"0.00", "0.00"} << false;
    }

    void totalsAddUpAtThePrintedPrecision()
    {
        QFETCH(QStringList, parts);
        QFETCH(QStringList, totals);
        QFETCH(bool, addsUp);
        QCOMPARE(report_format::addsUp(parts, totals, 2), addsUp);
    }

    // Each report as a reviewer reads it: what ended the calculation, in
    // the settlement section and again in the summary, and no number with
    // more digits than its format (a double at full precision has 15).
    void saysWhatEndedTheCalculation_data()
    {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<int>("baseLayers");
        QTest::addColumn<QString>("stopTest");
        QTest::addColumn<int>("mentions");
        QTest::addRow("deformation ratio") << kStopDeformationRatio << 3
                                           << QStringLiteral("ΔSn = I(z − Δz/2)·p0·Δz/Es =") << 1;
        QTest::addRow("0.2 of the self-weight stress") << kStopStressRatio02 << 3 << QStringLiteral("< 0.2σc = 0.2×") << 1;
        QTest::addRow("0.1 of the self-weight stress") << kStopStressRatio01 << 3 << QStringLiteral("< 0.1σc = 0.1×") << 1;
        QTest::addRow("no layers below the tips")
            << kStopDeformationRatio << 0 << QStringLiteral("桩端以下土层已全部计算仍未满足终止条件") << 2;
    }

    void saysWhatEndedTheCalculation()
    {
        QFETCH(int, criterion);
        QFETCH(int, baseLayers);
        QFETCH(QString, stopTest);
        QFETCH(int, mentions);
        ReportRequest request = workedExampleRequest();
        request.project.stopCriterion = criterion;
        request.project.baseLayerCount = baseLayers;
        const QString path = folder_.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
        const QString text = writeAndRead(request, path).text;
        QVERIFY2(wordsOf(text).count(wordsOf(stopTest)) >= mentions, qPrintable(stopTest));
        const QRegularExpression overlong(QStringLiteral("\\d\\.\\d{7,}"));
        const QRegularExpressionMatch match = overlong.match(text);
        QVERIFY2(!match.hasMatch(), qPrintable(match.captured()));
    }

    // The code's ranges are warnings beside the results, each naming its
    // range or rule; the terms are those of the edition the report cites.
    void warnsOfValuesOutsideTheCodesRanges_data()
    {
        QTest::addColumn<double>("beta");
        QTest::addColumn<double>("eta");
        QTest::addColumn<double>("cubeStrength");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        const QString caption = QStringLiteral("规范取值范围提示");
        const QString bodyGoverns = QStringLiteral("单桩承载力由下部桩身强度 R2");
        QTest::addRow("worked example's factors")
            << 0.9 << 0.6 << 1500.0
            << QStringList{QStringLiteral("桩间土承载力发挥系数β = 0.9 超出《建筑地基处理技术规范》JGJ 79—2012"
                                          "对水泥土搅拌桩给出的取值范围（淤泥、淤泥质土0.1～0.4，其他土层0.4～0.8）"),
                           QStringLiteral("下部桩身强度折减系数η2 = 0.6 超出"),
                           QStringLiteral("90d龄期的立方体抗压强度平均值")}
            << QStringList{bodyGoverns, QStringLiteral("无侧限"), QStringLiteral("桩间土承载力折减系数")};
        QTest::addRow("factors at the ranges' limits, strong body")
            << 0.8 << 0.25 << 1e5 << QStringList{} << QStringList{caption};
        QTest::addRow("factors in range, the shaft body governs")
            << 0.8 << 0.25 << 1500.0
            << QStringList{bodyGoverns + QStringLiteral(" = 186.53 kN 控制，小于土对桩的支承力 R1 = 275.48 kN")}
            << QStringList{QStringLiteral("超出")};
    }

    void warnsOfValuesOutsideTheCodesRanges()
    {
        QFETCH(double, beta);
        QFETCH(double, eta);
        QFETCH(double, cubeStrength);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        ReportRequest request = workedExampleRequest();
        request.project.soilReduction = beta;
        request.project.headStrengthFactor = request.project.shaftStrengthFactor = eta;
        request.project.cubeStrength = cubeStrength;
        const QString path = folder_.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
        const QString text = writeAndRead(request, path).text;
        QVERIFY(!text.isEmpty());
        for (const QString& words : expected)
            QVERIFY2(holds(text, words), qPrintable(words));
        for (const QString& words : absent)
            QVERIFY2(!holds(text, words), qPrintable(words));
    }

    // psiS multiplies the settlement checked against [s], printed beside the
    // calculated S; without it the check takes S itself.
    void settlementCorrectionBesideTheCalculatedS_data()
    {
        QTest::addColumn<QString>("psiS");
        QTest::addColumn<QString>("expected");
        QTest::addRow("psiS raises S past [s]")
            << QStringLiteral("1.2") << QStringLiteral("沉降不满足要求");
        QTest::addRow("no psiS") << QString() << QStringLiteral("沉降满足要求");
    }

    void settlementCorrectionBesideTheCalculatedS()
    {
        QFETCH(QString, psiS);
        QFETCH(QString, expected);
        ReportRequest request = workedExampleRequest();
        request.demands = DesignDemands(0, 80.0);
        request.project.extension.set("psiS", psiS.toStdString());
        const QString path = folder_.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
        const QString text = writeAndRead(request, path).text;
        QVERIFY2(holds(text, expected), qPrintable(expected));
        QCOMPARE(holds(text, QStringLiteral("验算用沉降 ψs·S = 1.2×71.12 = 85.35 mm（由未舍入的 S 相乘后取两位小数）")),
                 !psiS.isEmpty());
        QCOMPARE(wordsOf(text).count(QStringLiteral("ψs·S=1.2×71.12=85.35mm")), psiS.isEmpty() ? 0 : 2);
    }

    void typedCapacityIsMarkedAndWeighed()
    {
        ReportRequest request = workedExampleRequest();
        request.project.manualCapacityFlag = 1;
        request.project.manualPileCapacity = 700;
        const QString text = writeAndRead(request, folder_.filePath(QStringLiteral("typed.pdf"))).text;
        QVERIFY(holds(text, QStringLiteral("仅供对照，不采用")));
        QVERIFY(holds(text, QStringLiteral("按手动输入的单桩承载力特征值（采用）")));
        QVERIFY(holds(text, QStringLiteral("（按设计人员输入，如静载荷试验结果；其来源由设计人负责核实）")));
        QVERIFY(holds(text, QStringLiteral("大于按土层及桩身强度计算的 Ra = 275.48 kN")));
    }

    // With cv and fak values the settlement in time and the check under the
    // tips follow the settlement; without them the report is as before.
    void timeSettlementSectionFollowsTheSettlement()
    {
        ReportRequest request = workedExampleRequest();
        for (const auto& [key, value] : {std::pair{"cv.head", "2"}, {"cv.shaft", "1.5,1.5"}, {"cv.base", "1,2,3"},
                                         {"fill", "0:0,90:3"}, {"pavementDay", "180"}, {"fak.base", "90,150,200"}})
            request.project.extension.set(key, value);
        const QString text = writeAndRead(request, folder_.filePath(QStringLiteral("time.pdf"))).text;
        const auto section = text.indexOf(QStringLiteral("8 沉降随时间、工后沉降与下卧层验算"));
        QVERIFY(section > text.indexOf(QStringLiteral("7 沉降计算")));
        QVERIFY(text.indexOf(QStringLiteral("9 验算与结论")) > section);
        QVERIFY(holds(text, QStringLiteral("最终沉降 ms·Sc = 71.12 mm")));
        QVERIFY(holds(text, QStringLiteral("下卧层承载力验算")));
        QVERIFY(holds(text, QStringLiteral("每一土层顶面按 GB 50007—2011 第 5.2.7 条验算")));
        QVERIFY(holds(text, QStringLiteral("b = B + (m + n)h = 19.000 m 为路堤底宽")));
        QVERIFY(!holds(text_, QStringLiteral("工后沉降")));
        // The curve at whole days and hundredths of a millimetre, then its figure.
        const auto curve = text.indexOf(QStringLiteral("表 8-2"));
        const auto figure = text.indexOf(QStringLiteral("沉降与填土高度随时间的变化"));
        QVERIFY(curve > section && figure > curve);
        const QRegularExpression overlong(QStringLiteral("\\d\\.\\d{3,}"));
        const QRegularExpressionMatch match = overlong.match(text.mid(curve, figure - curve));
        QVERIFY2(!match.hasMatch(), qPrintable(match.captured()));
        QVERIFY(!text.contains(QStringLiteral("[[")));
        QVERIFY(text.indexOf(QStringLiteral("路面完工"), figure) > figure);
        // A table does not start at a page's foot with a single row.
        const QStringList pages = pagesOf(text);
        const auto captionPage = std::find_if(pages.begin(), pages.end(),
                                              [](const QString& page) { return page.contains(QStringLiteral("表 8-1")); });
        QVERIFY(captionPage != pages.end());
        QVERIFY2(captionPage->contains(QStringLiteral("扩大头段各层 cv")), qPrintable(*captionPage));
    }

    // The figures draw the results the report was given, as its text does:
    // neither the curve in time nor the critical circles is computed again.
    void figuresDrawTheGivenResults()
    {
        ReportRequest request = workedExampleRequest();
        for (const auto& [key, value] :
             {std::pair{"cv.head", "2"}, {"cv.shaft", "1.5,1.5"}, {"cv.base", "1,2,3"}, {"fill", "0:0,90:3"},
              {"c.fill", "15"}, {"phi.fill", "28"}, {"c.head", "15"}, {"phi.head", "10"}, {"c.shaft", "6,20"},
              {"phi.shaft", "3,12"}, {"c.base", "30,35,40"}, {"phi.base", "18,20,22"}, {"pileShear", "120"}})
            request.project.extension.set(key, value);
        ReportResults results = reportResults(request);
        QVERIFY(results.timeSettlement.consolidation && results.stability.result);
        QVERIFY(stabilityFigure(request, results));
        results.timeSettlement.consolidation->postConstruction = 987.65;
        const QString path = folder_.filePath(QStringLiteral("given.pdf"));
        QVERIFY(writeCalculationReport(request, results, path).ok);
        QVERIFY2(holds(pdfText(path), QStringLiteral("工后沉降 987.65 mm，路面完工后剩余沉降")), "the chart's title");
        results.stability = StabilityOutcome{};
        QVERIFY2(!stabilityFigure(request, results), "circles of the results' own, none");
    }

    // The longest report: bounded in size, its split tables with their
    // header row on every page, every page numbered out of the total.
    void longestReportKeepsItsTablesReadable()
    {
        const WrittenReport longest = writeAndRead(manyLayersRequest(), folder_.filePath(QStringLiteral("longest.pdf")));
        qInfo("49 + 49 + 49 layers with every slice: %lld ms, %lld bytes", longest.milliseconds, longest.bytes);
        QVERIFY(longest.bytes > 0);
        QVERIFY(longest.bytes < 3 * 1024 * 1024);
        const QStringList pages = pagesOf(longest.text);
        int appendixPages = 0;
        for (int i = 0; i < pages.size(); ++i) {
            if (!pages[i].contains(QStringLiteral("附录 A")) && appendixPages == 0)
                continue;
            ++appendixPages;
            QVERIFY2(pages[i].contains(QStringLiteral("序号")), qPrintable(QStringLiteral("page %1").arg(i + 1)));
        }
        QVERIFY(appendixPages > 3);
        checkPageNumbers(longest.text);
    }

    // The worked example's layers are whole numbers of steps thick: their
    // slivers are counted, not listed as slices of no thickness.
    void sliceAppendixListsNoSliceOfNoThickness()
    {
        ReportRequest request = workedExampleRequest();
        request.sliceAppendix = true;
        const QString text = writeAndRead(request, folder_.filePath(QStringLiteral("appendix.pdf"))).text;
        const auto appendix = text.indexOf(QStringLiteral("分片计算表"));
        QVERIFY(appendix > 0);
        QVERIFY(holds(text, QStringLiteral("厚度不足 1e-9 m 的舍入余片")));
        const QRegularExpression noThickness(QStringLiteral("(?<![\\d.])(\\d+\\.\\d{3})\\s+\\1\\s"));
        const QRegularExpressionMatch match = noThickness.match(text.mid(appendix));
        QVERIFY2(!match.hasMatch(), qPrintable(match.captured()));
    }

    // The calculation drawing as the report paints it (610 by 377 pixels):
    // no dimension line, slope, pile or boundary crosses a text. Embankments
    // narrow and wide, slopes steep and gentle, the calculation depth close
    // below the pile tip or far below it.
    void drawingLabelsClearOfLines_data()
    {
        constexpr double kAsGiven = std::numeric_limits<double>::quiet_NaN();
        QTest::addColumn<double>("crest");
        QTest::addColumn<double>("fill");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("head");
        QTest::addColumn<double>("stopBelowTip");  // kAsGiven: as computed
        QTest::newRow("workedExample") << kAsGiven << kAsGiven << kAsGiven << kAsGiven << kAsGiven;
        QTest::newRow("narrowHighEmbankment") << 3.0 << 8.0 << kAsGiven << kAsGiven << kAsGiven;
        QTest::newRow("wideLowEmbankment") << 40.0 << 1.5 << kAsGiven << kAsGiven << kAsGiven;
        QTest::newRow("steepSlopes") << kAsGiven << kAsGiven << 0.5 << kAsGiven << kAsGiven;
        QTest::newRow("gentleSlopes") << kAsGiven << kAsGiven << 3.0 << kAsGiven << kAsGiven;
        QTest::newRow("shortHead") << kAsGiven << kAsGiven << kAsGiven << 0.5 << kAsGiven;
        QTest::newRow("depthJustBelowTip") << kAsGiven << kAsGiven << kAsGiven << kAsGiven << 0.6;
        QTest::newRow("depthFarBelowTip") << kAsGiven << kAsGiven << kAsGiven << kAsGiven << 8.0;
    }

    void drawingLabelsClearOfLines()
    {
        QFETCH(double, crest);
        QFETCH(double, fill);
        QFETCH(double, slope);
        QFETCH(double, head);
        QFETCH(double, stopBelowTip);
        ProjectData p = workedExampleRequest().project;
        const auto given = [](double& field, double value) {
            if (!std::isnan(value))
                field = value;
        };
        given(p.embankmentTopWidth, crest);
        given(p.embankmentHeight, fill);
        given(p.slopeM, slope);
        given(p.slopeN, slope);
        given(p.headLength, head);
        SettlementDetails details = settlementDetails(p, p.stopCriterion);
        given(details.stopDepth, p.pileLength + stopBelowTip);
        const auto painted = paintedGeometry(QSize(610, 377), [&](QPainter& painter) {
            drawCalculationDrawing(painter, QRectF(0, 0, 610, 377), p, details);
        });
        QVERIFY(painted.texts.size() > 10);
        for (const auto& text : painted.texts)
            for (const QLineF& segment : painted.segments)
                QVERIFY2(!crosses(segment, text.box),
                         qPrintable(QStringLiteral("\"%1\" at (%2, %3, %4 x %5) crossed by (%6, %7)-(%8, %9)")
                                        .arg(text.text).arg(text.box.x()).arg(text.box.y()).arg(text.box.width())
                                        .arg(text.box.height()).arg(segment.x1()).arg(segment.y1()).arg(segment.x2())
                                        .arg(segment.y2())));
    }

    void everyPageIsNumberedOutOfTheTotal() { checkPageNumbers(text_); }

    // One face, the one the program ships, whatever faces the system has:
    // the chart's and the drawing's texts included.
    void embedsOnlyTheShippedFace()
    {
        QCOMPARE(pdfFaces(folder_.filePath(QStringLiteral("worked.pdf"))), QStringList{QStringLiteral("WenQuanYiMicroHei")});
    }

    void failedWriteLeavesNoFile()
    {
        const QString path = folder_.filePath(QStringLiteral("missing-folder/report.pdf"));
        const ReportStatus status = writeCalculationReport(workedExampleRequest(), path);
        QVERIFY(!status.ok);
        QVERIFY(!status.reason.isEmpty());
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(folder_.filePath(QStringLiteral("missing-folder"))));
    }

private:
    static void checkPageNumbers(const QString& text)
    {
        const int pages = static_cast<int>(pagesOf(text).size());
        QVERIFY(pages >= 2);
        const QRegularExpression pageNumber(QStringLiteral("第\\s*(\\d+)\\s*页\\s*共\\s*(\\d+)\\s*页"));
        int numbered = 0;
        for (auto match = pageNumber.globalMatch(text); match.hasNext(); ++numbered) {
            const QRegularExpressionMatch m = match.next();
            QCOMPARE(m.captured(1).toInt(), numbered + 1);
            QCOMPARE(m.captured(2).toInt(), pages);
        }
        QCOMPARE(numbered, pages);
    }

    QTemporaryDir folder_;
    QString text_;
};

QTEST_MAIN(CalculationReportTest)
#include "calculation_report_test.moc"
