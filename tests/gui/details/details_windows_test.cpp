// The details windows as an engineer opens them from a result form: the
// capacity terms with the governing one marked, the settlement chart and its
// layer or slice table, and the report exported from there and from both
// input forms.
#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/capacity_result_dialog.h"
#include "forms/capacity/pile_result_dialog.h"
#include "forms/details/capacity_details_window.h"
#include "forms/details/report_export.h"
#include "forms/details/settlement_details_window.h"
#include "forms/settlement/settlement_dialog.h"
#include "forms/settlement/settlement_result_dialog.h"
#include "report/settlement_chart.h"
#include "support/fake_services.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "worked_examples.h"

#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineSeries>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace testing_support;

namespace {

template <class Window>
Window* openedWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget))
            return window;
    return nullptr;
}

// Clicks "计算过程…" on the result form and returns the window it opened.
template <class Window>
Window* openDetails(QWidget* resultForm)
{
    click(resultForm, "detailsButton");
    return openedWindow<Window>();
}

// The value cell of the row whose item starts with `item`.
QString valueOf(const QTableWidget* table, const QString& item)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text().startsWith(item))
            return table->item(row, 2)->text();
    return {};
}

QStringList seriesNames(const QChart* chart)
{
    QStringList names;
    for (const QAbstractSeries* series : chart->series())
        names.append(series->name());
    return names;
}

void closeWindow(QWidget* window)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ProjectData computedWorkedExample()
{
    ProjectData p = settlementExample();
    p.computeCapacity();
    return p;
}

}  // namespace

class DetailsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init() { g_project = computedWorkedExample(); }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void capacityTermsFromEitherResultForm_data()
    {
        QTest::addColumn<bool>("composite");
        QTest::addRow("single pile") << false;
        QTest::addRow("composite foundation") << true;
    }

    void capacityTermsFromEitherResultForm()
    {
        QFETCH(bool, composite);
        std::unique_ptr<QDialog> result(composite ? static_cast<QDialog*>(new CCapacityResultDialog)
                                                  : new CPileResultDialog);
        result->show();
        auto* window = openDetails<details::CapacityDetailsWindow>(result.get());
        QVERIFY(window);
        const QTableWidget* table = window->table();
        QCOMPARE(valueOf(table, QStringLiteral("土对桩的支承力 R1 ◀ 控制")), QStringLiteral("275.48"));
        QCOMPARE(valueOf(table, QStringLiteral("下部桩身强度 R2")), QStringLiteral("289.62"));
        QCOMPARE(valueOf(table, QStringLiteral("扩大头桩身强度 R3")), QStringLiteral("824.67"));
        QCOMPARE(valueOf(table, QStringLiteral("复合地基承载力特征值 fspk")), QStringLiteral("126.58"));
        QVERIFY(!table->findItems(QStringLiteral("η1·fcu,k·Ap"), Qt::MatchExactly).isEmpty());
        closeWindow(window);
    }

    // The window keeps the record as it was computed, even when it changes.
    void settlementChartAndLayers()
    {
        CSettlementResultDialog result;
        result.show();
        auto* window = openDetails<details::SettlementDetailsWindow>(&result);
        QVERIFY(window);
        g_project = ProjectData{};
        const QStringList names = seriesNames(window->chart().chart);
        QVERIFY(names.contains(chart_series::kAdditionalStress));
        QVERIFY(names.contains(chart_series::kSelfWeightStress));
        QVERIFY(names.contains(chart_series::kCumulativeSettlement));
        QVERIFY(names.contains(QStringLiteral("计算深度 19 m")));

        QTableWidget* table = window->table();
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(rowTexts(table, 0).first(), QStringLiteral("扩大头段"));
        QCOMPARE(rowTexts(table, 5).last(), QStringLiteral("71.121"));

        table->selectRow(1);
        const QList<QPointF> band = window->chart().highlight->points();
        QVERIFY(!band.isEmpty());
        QCOMPARE(band.first().y(), 2.0);
        QCOMPARE(band.at(2).y(), 6.0);

        window->slicesCheck()->setChecked(true);
        QVERIFY(table->rowCount() > 100);
        QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("附加应力 σz (kPa)"));
        closeWindow(window);
    }

    void reportExportedFromEveryWindow_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addRow("details window") << QStringLiteral("details");
        QTest::addRow("capacity form") << QStringLiteral("capacity");
        QTest::addRow("settlement form") << QStringLiteral("settlement");
    }

    void reportExportedFromEveryWindow()
    {
        QFETCH(QString, from);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        FakeServices services;
        services.answerFileDialogs({path});
        std::unique_ptr<QWidget> window;
        if (from == QLatin1String("details"))
            window = std::make_unique<details::CapacityDetailsWindow>(g_project);
        else if (from == QLatin1String("capacity"))
            window = std::make_unique<CCapacityDialog>();
        else
            window = std::make_unique<CSettlementDialog>();
        window->show();
        click(window.get(), "exportReportButton");
        QCOMPARE(services.texts(), QStringList{details::kReportExported});
        QVERIFY(QFileInfo(path).size() > 0);
    }

    // The appendix of every slice runs to several pages of the worked example.
    void sliceAppendixFollowsItsBox()
    {
        QTemporaryDir folder;
        const QString without = folder.filePath(QStringLiteral("without.pdf"));
        const QString with = folder.filePath(QStringLiteral("with.pdf"));
        FakeServices services;
        services.answerFileDialogs({without, with});
        g_project = settlementExample();
        details::SettlementDetailsWindow window(g_project);
        window.show();
        click(&window, "exportReportButton");
        window.findChild<QCheckBox*>(QStringLiteral("sliceAppendixBox"))->setChecked(true);
        click(&window, "exportReportButton");
        QCOMPARE(services.texts(), QStringList(2, details::kReportExported));
        QVERIFY2(QFileInfo(with).size() > QFileInfo(without).size() + 20000,
                 qPrintable(QStringLiteral("%1 against %2 bytes").arg(QFileInfo(with).size()).arg(QFileInfo(without).size())));
    }

    // An input form's export takes the name of the project information.
    void storedProjectNameHeadsTheReport()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        FakeServices services;
        services.answerFileDialogs({path});
        g_project = settlementExample();
        g_project.extension.set("projectName", "某高速公路路堤");
        CSettlementDialog form;
        form.show();
        click(&form, "exportReportButton");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
            QSKIP("no pdftotext here");
        QVERIFY(QString::fromUtf8(pdftotext.readAllStandardOutput()).contains(QStringLiteral("某高速公路路堤")));
    }

    void cancelledExportWritesNothing()
    {
        FakeServices services;
        services.answerFileDialogs({QString()});
        CCapacityDialog form;
        form.show();
        click(&form, "exportReportButton");
        QCOMPARE(services.fileDialogsAsked(), 1);
        QVERIFY(services.texts().isEmpty());
    }
};

QTEST_MAIN(DetailsWindowsTest)
#include "details_windows_test.moc"
