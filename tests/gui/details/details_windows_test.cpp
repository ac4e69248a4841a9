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
#include "report/report_text.h"
#include "report/settlement_chart.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/pdf_text.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "ui/project_file_flow.h"
#include "worked_examples.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
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

// The result form of that kind: "pile", "composite" or "settlement".
std::unique_ptr<QDialog> resultForm(const QString& kind, QWidget* owner)
{
    if (kind == QLatin1String("pile"))
        return std::make_unique<CPileResultDialog>(owner);
    if (kind == QLatin1String("composite"))
        return std::make_unique<CCapacityResultDialog>(owner);
    return std::make_unique<CSettlementResultDialog>(owner);
}

QWidget* openedDetailsWindow()
{
    if (QWidget* window = openedWindow<details::CapacityDetailsWindow>())
        return window;
    return openedWindow<details::SettlementDetailsWindow>();
}

// A click the way the desktop delivers it, to the window holding the
// button: a window blocked by a modal dialog does not get it.
void clickAsTheDesktopDoes(QWidget* window, const char* buttonName)
{
    QAbstractButton* target = button(window, buttonName);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(window, target->rect().center()));
}

// A window with "导出计算书…": "details", "capacity" or "settlement".
std::unique_ptr<QWidget> exportingWindow(const QString& from)
{
    if (from == QLatin1String("details"))
        return std::make_unique<details::CapacityDetailsWindow>(g_project);
    if (from == QLatin1String("capacity"))
        return std::make_unique<CCapacityDialog>();
    return std::make_unique<CSettlementDialog>();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void init()
    {
        g_project = computedWorkedExample();
        ui::forgetProjectFile();
    }
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
        // The worked example's β and both η lie outside the code's ranges.
        const auto* warnings = window->findChild<QLabel*>(QStringLiteral("rangeWarnings"));
        QVERIFY(warnings && warnings->isVisible());
        QCOMPARE(warnings->text().split(QChar('\n')).size(), 3);
        QVERIFY(warnings->text().contains(QStringLiteral("桩间土承载力发挥系数β = 0.9")));
        QVERIFY(warnings->text().contains(QStringLiteral("下部桩身强度折减系数η2 = 0.6")));
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

    void detailsWindowIsUsableOverTheModalResultForm_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addRow("single pile") << QStringLiteral("pile");
        QTest::addRow("composite foundation") << QStringLiteral("composite");
        QTest::addRow("settlement") << QStringLiteral("settlement");
    }

    // The result form is modal over the modal input form, as when each runs
    // exec(); the details window opens on top, takes the export click at
    // once, and closes with the result form.
    void detailsWindowIsUsableOverTheModalResultForm()
    {
        QFETCH(QString, kind);
        FakeServices services;
        services.answerFileDialogs({QString()});
        QWidget inputForm;
        inputForm.setWindowModality(Qt::ApplicationModal);
        inputForm.show();
        std::unique_ptr<QDialog> result = resultForm(kind, &inputForm);
        result->setWindowModality(Qt::ApplicationModal);
        result->show();
        QVERIFY(QTest::qWaitForWindowActive(result.get()));
        click(result.get(), "detailsButton");
        QPointer<QWidget> window = openedDetailsWindow();
        QVERIFY(window);
        QVERIFY2(QTest::qWaitForWindowActive(window), "the details window is not the active window");
        clickAsTheDesktopDoes(window, "exportReportButton");
        QCOMPARE(services.fileDialogsAsked(), 1);

        result->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "the details window outlived its result form");
    }

    void detailsWindowKeys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addRow("capacity") << QStringLiteral("composite");
        QTest::addRow("settlement") << QStringLiteral("settlement");
    }

    // Tab leaves the table for the project name; Esc closes the window.
    void detailsWindowKeys()
    {
        QFETCH(QString, kind);
        std::unique_ptr<QDialog> result = resultForm(kind, nullptr);
        result->show();
        click(result.get(), "detailsButton");
        QPointer<QWidget> window = openedDetailsWindow();
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* table = window->findChild<QAbstractItemView*>();
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("projectNameEdit"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "Esc left the window open");
    }

    void slicesAsAPersonCountsThem_data()
    {
        QTest::addColumn<int>("criterion");
        QTest::addRow("deformation ratio") << 0;
        QTest::addRow("stress ratio 0.2") << 1;
        QTest::addRow("stress ratio 0.1") << 2;
    }

    // The slicing leaves a last slice of about 1e-14 m in a layer that is a
    // whole number of steps thick: shown merged with the slice above, so no
    // row runs from a depth to the same depth, and the layer table counts
    // the slices the slice table shows.
    void slicesAsAPersonCountsThem()
    {
        QFETCH(int, criterion);
        g_project.stopCriterion = criterion;
        const SettlementDetails computed = settlementDetails(g_project, criterion);
        const auto slivers = std::count_if(computed.slices.begin(), computed.slices.end(),
                                           [](const SettlementSlice& s) { return isSliver(s); });
        QVERIFY(slivers > 0);
        details::SettlementDetailsWindow window(g_project);
        QTableWidget* table = window.table();
        int counted = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            counted += table->item(row, 5)->text().toInt();
        window.slicesCheck()->setChecked(true);
        QCOMPARE(table->rowCount(), counted);
        QCOMPARE(qsizetype(table->rowCount()), qsizetype(computed.slices.size()) - slivers);
        for (int row = 0; row < table->rowCount(); ++row)
            QVERIFY2(table->item(row, 2)->text() != table->item(row, 3)->text(),
                     qPrintable(rowTexts(table, row).join(' ')));
        const QStringList last = rowTexts(table, table->rowCount() - 1);
        QCOMPARE(last[3], report_text::fixed(computed.slices.back().bottom, 3));
        QCOMPARE(last[8], report_text::fixed(computed.slices.back().cumulative, 3));
    }

    // A long shaft of 0.1 m slices lists its first slices and says so.
    void sliceTableIsBounded_data()
    {
        QTest::addColumn<double>("shaftLayer");  // m, the second shaft layer
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("noted");
        QTest::addRow("worked example") << 4.0 << -1 << false;
        QTest::addRow("600 m of shaft") << 600.0 << details::kMaxSliceRows << true;
    }

    void sliceTableIsBounded()
    {
        QFETCH(double, shaftLayer);
        QFETCH(int, rows);
        QFETCH(bool, noted);
        ProjectData project = settlementExample();
        project.pileLength += shaftLayer - project.shaftThickness[2];
        project.shaftThickness[2] = shaftLayer;
        details::SettlementDetailsWindow window(project);
        window.show();
        window.slicesCheck()->setChecked(true);
        if (rows > 0)
            QCOMPARE(window.table()->rowCount(), rows);
        QCOMPARE(window.sliceNote()->isVisible(), noted);
    }

    // However many slices, a curve holds a bounded number of points and
    // ends at the last slice.
    void chartCurvesAreBounded()
    {
        SettlementDetails details;
        details.load = 57;
        const int slices = 100001;
        for (int i = 0; i < slices; ++i) {
            SettlementSlice s;
            s.top = i * 0.1;
            s.bottom = s.top + 0.1;
            s.additionalStress = 57 - i * 1e-4;
            s.cumulative = i * 1e-3;
            details.slices.push_back(s);
        }
        const SettlementChart chart = makeSettlementChart(settlementExample(), details);
        std::unique_ptr<QChart> owner(chart.chart);
        for (QAbstractSeries* series : chart.chart->series()) {
            const auto* line = static_cast<QLineSeries*>(series);
            QVERIFY2(line->count() <= 4001, qPrintable(line->name()));
            if (line->name() == chart_series::kCumulativeSettlement)
                QCOMPARE(line->points().last(), QPointF(details.slices.back().cumulative, details.slices.back().bottom));
        }
    }

    void reportExportedFromEveryWindow_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("cancel");
        for (const bool cancel : {false, true}) {
            const char* how = cancel ? ", cancelled while written" : "";
            QTest::addRow("details window%s", how) << QStringLiteral("details") << cancel;
            QTest::addRow("capacity form%s", how) << QStringLiteral("capacity") << cancel;
            QTest::addRow("settlement form%s", how) << QStringLiteral("settlement") << cancel;
        }
    }

    // The report is written beside the interface, which answers meanwhile
    // (the watchdog's handler runs from its event loop): a progress dialog
    // over the window alone; 取消 leaves an earlier file as it was and says
    // nothing.
    void reportExportedFromEveryWindow()
    {
        QFETCH(QString, from);
        QFETCH(bool, cancel);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        const QByteArray earlier = "an earlier report";
        QVERIFY(writeBytes(path, earlier));
        FakeServices services;
        services.answerFileDialogs({path});
        std::unique_ptr<QWidget> window = exportingWindow(from);
        window->show();
        ModalWatchdog watchdog;
        QString progressSeen;
        watchdog.expect<QProgressDialog>([&](QProgressDialog* progress) {
            progressSeen = QStringLiteral("%1 over %2, modality %3")
                               .arg(progress->windowTitle(), progress->parentWidget()->metaObject()->className())
                               .arg(progress->windowModality());
            if (cancel)
                progress->findChild<QPushButton*>()->click();
        });
        click(window.get(), "exportReportButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(progressSeen, QStringLiteral("导出计算书 over %1, modality %2")
                                   .arg(window->metaObject()->className())
                                   .arg(Qt::WindowModal));
        if (cancel) {
            QVERIFY2(services.texts().isEmpty(), qPrintable(services.lastText()));
            QCOMPARE(readBytes(path), earlier);
        } else {
            QCOMPARE(services.texts(), QStringList{details::exportedNotice(details::kReportExported, path)});
            QVERIFY(readBytes(path).startsWith("%PDF-"));
        }
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
        QCOMPARE(services.texts(), (QStringList{details::exportedNotice(details::kReportExported, without),
                                                details::exportedNotice(details::kReportExported, with)}));
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

    void reportRefusesTheProjectFile_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addRow("details window") << QStringLiteral("details");
        QTest::addRow("capacity form") << QStringLiteral("capacity");
        QTest::addRow("settlement form") << QStringLiteral("settlement");
    }

    void reportRefusesTheProjectFile()
    {
        QFETCH(QString, from);
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("job1.txt"));
        QVERIFY(g_project.saveProject(project.toStdString(), std::tm{}).ok);
        QVERIFY(ui::loadProjectFile(nullptr, project));
        QFile file(project);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        FakeServices services;
        services.answerFileDialogs({project});
        std::unique_ptr<QWidget> window = exportingWindow(from);
        window->show();
        click(window.get(), "exportReportButton");
        QVERIFY2(services.lastText().contains(QStringLiteral("不能写到输入文件本身")), qPrintable(services.lastText()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void coverNamesTheProjectAndItsFile_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("projectName");
        QTest::addColumn<QString>("inputFile");
        QTest::addRow("unsaved, information filled after opening the window")
            << QStringLiteral("information") << QStringLiteral("某高速公路路堤") << QStringLiteral("（未保存的输入）");
        QTest::addRow("opened") << QStringLiteral("open") << QStringLiteral("job1") << QStringLiteral("job1.txt");
        QTest::addRow("saved") << QStringLiteral("save") << QStringLiteral("job1") << QStringLiteral("job1.txt");
        QTest::addRow("opened, then changed") << QStringLiteral("changed") << QStringLiteral("job1")
                                              << QStringLiteral("（未保存的输入）");
    }

    // 工程名称 is the project information's, else the project file's name,
    // never the PDF's; the input file is named while the record holds it.
    void coverNamesTheProjectAndItsFile()
    {
        QFETCH(QString, history);
        QFETCH(QString, projectName);
        QFETCH(QString, inputFile);
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("job1.txt"));
        const QString report = folder.filePath(QStringLiteral("cap-details-report.pdf"));
        FakeServices services;
        if (history == QLatin1String("save")) {
            CSettlementDialog form;
            services.answerFileDialogs({project});
            ui::saveProjectInteractively(&form, [] { return true; });
        } else if (history != QLatin1String("information")) {
            QVERIFY(g_project.saveProject(project.toStdString(), std::tm{}).ok);
            QVERIFY(ui::loadProjectFile(nullptr, project));
            if (history == QLatin1String("changed"))
                g_project.embankmentHeight += 0.5;
        }
        details::SettlementDetailsWindow window(g_project);
        if (history == QLatin1String("information")) {
            g_project.extension.set("projectName", projectName.toStdString());
            g_project.extension.set("station", "K1+000");
        }
        services.answerFileDialogs({report});
        click(&window, "exportReportButton");
        const QString cover = pdfText(report).section(QLatin1Char('\f'), 0, 0);
        QVERIFY2(cover.contains(QStringLiteral("工程名称：") + projectName), qPrintable(cover));
        QVERIFY2(cover.contains(QStringLiteral("输入文件：") + inputFile), qPrintable(cover));
        QVERIFY2(!cover.contains(QStringLiteral("cap-details-report")), qPrintable(cover));
        QCOMPARE(cover.contains(QStringLiteral("K1+000")), history == QLatin1String("information"));
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
