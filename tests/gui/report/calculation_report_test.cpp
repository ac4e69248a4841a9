// The worked example's calculation report as a reviewer reads it: the text
// extracted from the PDF holds the title, the resistances, the results and
// the stop depth on numbered pages; a failed write leaves nothing behind.
#include "report/calculation_report.h"

#include "worked_examples.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// The text of a PDF as pdftotext lays it out, pages separated by form feeds.
#ifdef Q_OS_WIN
// The Windows build's tests run under Wine, where pdftotext is a Linux
// program: Wine's `start /unix` starts it without waiting for it, so it
// writes under a temporary name and renames the text when it is complete.
QString unixPath(const QString& path)
{
    QProcess winepath;
    winepath.start(QStringLiteral("winepath.exe"), {QStringLiteral("-u"), QDir::toNativeSeparators(path)});
    winepath.waitForFinished(30000);
    return QString::fromLocal8Bit(winepath.readAllStandardOutput()).trimmed();
}

QString pdfText(const QString& path)
{
    const QString text = path + QStringLiteral(".txt");
    const QString script = QStringLiteral(R"(pdftotext -layout "$0" "$1.part" && mv "$1.part" "$1")");
    QProcess::execute(QStringLiteral("start.exe"), {QStringLiteral("/unix"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                                    script, unixPath(path), unixPath(text)});
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(text) && !deadline.hasExpired())
        QThread::msleep(100);
    QFile file(text);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
#else
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
#endif

ReportRequest workedExampleRequest()
{
    ReportRequest request;
    request.project = settlementExample();
    request.projectName = QStringLiteral("示例工程");
    request.date = QDate(2026, 5, 17);
    return request;
}

}  // namespace

class CalculationReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        const QString path = folder_.filePath(QStringLiteral("worked.pdf"));
        QElapsedTimer timer;
        timer.start();
        const ReportStatus status = writeCalculationReport(workedExampleRequest(), path);
        QVERIFY2(status.ok, qPrintable(status.reason));
        qInfo("worked example's report written in %lld ms", timer.elapsed());
        QVERIFY(QFileInfo(path).size() < 2 * 1024 * 1024);
        text_ = pdfText(path);
        QVERIFY2(!text_.isEmpty(), "pdftotext (poppler-utils) read nothing");
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
        QTest::addRow("embankment load") << QStringLiteral("p0 = γ·h = 19×3 = 57.00 kPa");
        QTest::addRow("settlement") << QStringLiteral("71.12");
        QTest::addRow("stop depth") << QStringLiteral("计算深度 zn = 19.00 m");
    }

    void holdsTheResults()
    {
        QFETCH(QString, expected);
        QVERIFY2(text_.contains(expected), qPrintable(expected));
    }

    void everyPageIsNumberedOutOfTheTotal()
    {
        const int pages = text_.count(QChar('\f'));
        QVERIFY(pages >= 2);
        const QRegularExpression pageNumber(QStringLiteral("第\\s*(\\d+)\\s*页\\s*共\\s*(\\d+)\\s*页"));
        int numbered = 0;
        for (auto match = pageNumber.globalMatch(text_); match.hasNext(); ++numbered) {
            const QRegularExpressionMatch m = match.next();
            QCOMPARE(m.captured(1).toInt(), numbered + 1);
            QCOMPARE(m.captured(2).toInt(), pages);
        }
        QCOMPARE(numbered, pages);
    }

    void addedSectionComesBeforeTheSummary()
    {
        ReportRequest request = workedExampleRequest();
        request.extraSections.push_back({QStringLiteral("验算"), QStringLiteral("<p>附加内容</p>")});
        const QString path = folder_.filePath(QStringLiteral("with-section.pdf"));
        QVERIFY(writeCalculationReport(request, path).ok);
        const QString text = pdfText(path);
        const auto section = text.indexOf(QStringLiteral("5 验算"));
        QVERIFY(section > 0);
        QVERIFY(text.indexOf(QStringLiteral("附加内容")) > section);
        QVERIFY(text.indexOf(QStringLiteral("6 计算结果汇总")) > section);
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
    QTemporaryDir folder_;
    QString text_;
};

QTEST_MAIN(CalculationReportTest)
#include "calculation_report_test.moc"
