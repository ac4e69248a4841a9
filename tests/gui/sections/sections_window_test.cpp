// The road window as an engineer uses it: a section table loaded or pasted,
// refused tables explained, the run shown as a sortable table with the
// governing sections and a chart, a long run cancelled, the table exported,
// a section made the current project, the road's report exported.
#include "forms/sections/sections_dialog.h"

#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/pdf_text.h"
#include "support/widgets.h"
#include "ui/project_file_flow.h"
#include "worked_examples.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QImage>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_support;

namespace {

constexpr int kRunTimeoutMs = 60000;

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

// The worked example's fill at four heights; K9+000 and K10+000 sort by
// chainage, not as text.
const QByteArray kRoad = "桩号,路基填土高度h（m）,土层剖面,沉降系数ms\n"
                         "K10+000,3,\nK9+000,5,\nK10+050,2,bh.csv,1.3\nK10+100,4,\n";
const QByteArray kBorehole = "name,thickness,qs,Es,gamma\nfill,2,10,3,18\nclay,8,12,5,18.5\nsand,20,,12,19\n";

// A double-click as the mouse makes it: a click, then the second press.
void doubleClick(QTableWidget* table, const QPoint& at)
{
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

void loadTable(CSectionsDialog& window, const QString& path)
{
    window.askTableFileName = [path](QWidget*) { return path; };
    click(&window, "loadButton");
}

bool runs(CSectionsDialog& window, const QString& surcharge, const QString& allowable)
{
    typeAll(&window, {{"surchargeEdit", surcharge}, {"allowableSettlementEdit", allowable}});
    QSignalSpy ended(&window, &CSectionsDialog::runEnded);
    click(&window, "runButton");
    return !ended.isEmpty() || ended.wait(kRunTimeoutMs);
}

QStringList column(const QTableWidget* table, int c)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, c)->text();
    return texts;
}

}  // namespace

class SectionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // q and [s] are remembered in a file of the test's own, not the user's.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.filePath(QStringLiteral("settings")));
    }

    void init()
    {
        QVERIFY(folder_.isValid());
        g_project = settlementExample();
        QSettings().clear();
        ui::forgetProjectFile();
        writeFile(folder_, QStringLiteral("bh.csv"), kBorehole);
    }

    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void runShowsEverySectionSortableWithTheGoverningOnesAndTheChart()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        QVERIFY(runs(window, QStringLiteral("20"), QStringLiteral("100")));
        QCOMPARE(services.texts(), QStringList());

        auto* table = child<QTableWidget>(&window, "summaryTable");
        table->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(column(table, 0), (QStringList{"K9+000", "K10+000", "K10+050", "K10+100"}));
        QCOMPARE(column(table, 1), (QStringList{"5.00", "3.00", "2.00", "4.00"}));
        // The highest fill governs both checks and fails the settlement one.
        QCOMPARE(column(table, 8), (QStringList{"承载力 沉降", "", "", ""}));
        QCOMPARE(column(table, 7).first(), QStringLiteral("不满足"));
        table->sortByColumn(5, Qt::DescendingOrder);
        QCOMPARE(column(table, 0).first(), QStringLiteral("K9+000"));
        QCOMPARE(column(table, 0).last(), QStringLiteral("K10+050"));
        QSvgRenderer* chart = child<QSvgWidget>(&window, "longitudinalChart")->renderer();
        QVERIFY(chart->isValid());
        // The white ground covers the whole chart, not a box over the left axis title.
        QImage picture(chart->defaultSize(), QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        chart->render(&painter);
        painter.end();
        QCOMPARE(picture.pixel(picture.width() - 2, picture.height() - 2), qRgb(255, 255, 255));
        QVERIFY2(child<QLabel>(&window, "summaryLabel")->text().contains(QStringLiteral("不满足")),
                 qPrintable(child<QLabel>(&window, "summaryLabel")->text()));
        QCOMPARE(g_project, settlementExample());
    }

    void refusedTablesAreExplained_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        QTest::addRow("bad cell") << QByteArray("station,slopeM\nK0+000,1\nK0+100,x\n")
                                  << QStringLiteral("第3行第2列（边坡坡度1:m）的“x”不是数字。");
        QTest::addRow("no station column") << QByteArray("slopeM\n1\n") << QStringLiteral("表头中缺少“桩号”列");
        QTest::addRow("bad location") << QByteArray("桩号,路段类型\nK0+000,桥头\n")
                                      << QStringLiteral("第2行第2列（路段类型）：路段应为abutment");
        QTest::addRow("missing profile") << QByteArray("station,profile\nK0+000,none.csv\n")
                                         << QStringLiteral("第2行的土层剖面“none.csv”无法使用");
        QByteArray manyBadRows = "station,slopeM\n";
        for (int i = 0; i < 100000; ++i)
            manyBadRows += "K0+000,x\n";
        QTest::addRow("a hundred thousand bad rows") << manyBadRows << QStringLiteral("共100000处有误，以上是前10处");
        QTest::addRow("mebibyte profile cell") << QByteArray("station,profile\nK0+000,") + QByteArray(1 << 20, 'p')
                                               << QStringLiteral("第2行的土层剖面“pppp");
    }

    void refusedTablesAreExplained()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("bad.csv"), table));
        QCOMPARE(services.texts().size(), 1);
        QVERIFY2(services.lastText().contains(message), qPrintable(services.lastText().left(2000)));
        QVERIFY2(services.lastText().count(QLatin1Char('\n')) <= 10 && services.lastText().size() < 2000,
                 "one message box of a few lines");
        QVERIFY(window.sections().empty());
        click(&window, "runButton");
        QCOMPARE(services.lastText(), QStringLiteral("请先载入或粘贴断面表！"));
    }

    // A section that could not be checked, and one whose inputs are refused,
    // are counted apart from the failing ones, each shown with its location, its allowance and its verdict.
    void verdictsShownApart_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("locations");
        QTest::addColumn<QStringList>("allowances");
        QTest::addColumn<QStringList>("verdicts");
        QTest::addRow("every section passing")
            << QByteArray("桩号,路基填土高度h（m）\nK0+000,3\n") << QStringLiteral("共1个断面，全部满足验算要求。")
            << QStringList{""} << QStringList{""} << QStringList{"满足"};
        QTest::addRow("one failing, one not checkable")
            << QByteArray("桩号,路基填土高度h（m）,道路等级,路段类型\nK0+000,3,highway,abutment\nK0+050,6,highway,\n")
            << QStringLiteral("共2个断面，1个不满足验算要求。1个断面未能验算。")
            << QStringList{"桥台与路堤相邻处", ""} << QStringList{"100.00", ""}
            << QStringList{"未能验算（工后沉降）", "不满足（复合地基承载力、沉降）"};
        QTest::addRow("one refused by its inputs")
            << QByteArray("station,embankmentHeight,spacingSquare\nK0+000,3,\nK0+050,3,0\n")
            << QStringLiteral("共2个断面，0个不满足验算要求。1个断面的输入有误，未计算。") << QStringList{"", ""}
            << QStringList{"", ""} << QStringList{"满足", "未计算"};
    }

    void verdictsShownApart()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, summary);
        QFETCH(QStringList, locations);
        QFETCH(QStringList, allowances);
        QFETCH(QStringList, verdicts);
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("verdicts.csv"), table));
        QVERIFY(runs(window, QStringLiteral("20"), QStringLiteral("100")));
        QCOMPARE(services.texts(), QStringList());
        QCOMPARE(child<QLabel>(&window, "summaryLabel")->text(), summary);
        auto* shown = child<QTableWidget>(&window, "summaryTable");
        shown->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(column(shown, 9), locations);
        QCOMPARE(column(shown, 10), allowances);
        QCOMPARE(column(shown, 12), verdicts);
    }

    void pastedCellsAreATable()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        QApplication::clipboard()->setText(QStringLiteral("桩号\t路基填土高度h（m）\r\nK0+000\t3\r\nK0+020\t3.5\r\n"));
        click(&window, "pasteButton");
        QCOMPARE(services.texts(), QStringList());
        QCOMPARE(window.sections().size(), std::size_t{2});
        QVERIFY(runs(window, QStringLiteral("0"), QString()));
        QCOMPARE(child<QTableWidget>(&window, "summaryTable")->rowCount(), 2);
    }

    void cancelledRunShowsNothing()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        QByteArray road = "station,embankmentHeight,profile\n";
        for (int i = 0; i < 400; ++i)
            road += "K" + QByteArray::number(i) + "+000," + QByteArray::number(2 + i % 30 / 10.0) + ",bh.csv\n";
        loadTable(window, writeFile(folder_, QStringLiteral("long.csv"), road));
        typeAll(&window, {{"surchargeEdit", QStringLiteral("20")}});
        QSignalSpy ended(&window, &CSectionsDialog::runEnded);
        click(&window, "runButton");
        // The table the run computes cannot change under it.
        QVERIFY(!button(&window, "loadButton")->isEnabled());
        QVERIFY(!button(&window, "pasteButton")->isEnabled());
        click(&window, "cancelButton");
        QVERIFY(!ended.isEmpty() || ended.wait(kRunTimeoutMs));
        QCOMPARE(child<QLabel>(&window, "summaryLabel")->text(), QStringLiteral("计算已取消。"));
        QCOMPARE(child<QTableWidget>(&window, "summaryTable")->rowCount(), 0);
        QVERIFY(button(&window, "runButton")->isEnabled());
        QVERIFY(button(&window, "loadButton")->isEnabled());
        QVERIFY(!button(&window, "exportButton")->isEnabled());
    }

    void exportedAsShown()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        QVERIFY(runs(window, QStringLiteral("20"), QStringLiteral("100")));
        const QString target = folder_.filePath(QStringLiteral("summary.csv"));
        window.askCsvFileName = [target](QWidget*) { return target; };
        click(&window, "exportButton");
        QVERIFY2(services.lastText().contains(QDir::toNativeSeparators(target)), qPrintable(services.lastText()));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY2(lines[0].startsWith(QStringLiteral("桩号,填土高度h（m）,Ra（kN）")), qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith(QStringLiteral("K9+000,5.00,")), qPrintable(lines[1]));  // along the road
    }

    void exportsRefuseTheFilesRead_data()
    {
        QTest::addColumn<QString>("exportButton");
        QTest::addColumn<QString>("input");
        for (const char* exportButton : {"exportButton", "exportReportButton"})
            for (const char* input : {"road.csv", "bh.csv", "job1.txt"})
                QTest::addRow("%s over %s", exportButton, input) << QString::fromLatin1(exportButton)
                                                                  << QString::fromLatin1(input);
    }

    // As the command line refuses them: the section table, a borehole table
    // it names and the current project file stay as they were.
    void exportsRefuseTheFilesRead()
    {
        QFETCH(QString, exportButton);
        QFETCH(QString, input);
        FakeServices services;
        const QString project = folder_.filePath(QStringLiteral("job1.txt"));
        QVERIFY(g_project.saveProject(project.toStdString(), std::tm{}).ok);
        QVERIFY(ui::loadProjectFile(nullptr, project));
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        QVERIFY(runs(window, QStringLiteral("20"), QStringLiteral("100")));
        const QString target = folder_.filePath(input);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        window.askCsvFileName = [target](QWidget*) { return target; };
        services.answerFileDialogs({target});
        click(&window, exportButton.toLatin1().constData());
        QVERIFY2(services.lastText().contains(QStringLiteral("不能写到输入文件本身")), qPrintable(services.lastText()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // Enter in q or [s] runs, not the first button; q and [s] come back in
    // the next window.
    void enterRunsAndTheDemandsAreRemembered()
    {
        FakeServices services;
        {
            CSectionsDialog window;
            window.show();
            loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
            typeAll(&window, {{"surchargeEdit", QStringLiteral("20")}, {"allowableSettlementEdit", QStringLiteral("100")}});
            QSignalSpy ended(&window, &CSectionsDialog::runEnded);
            QTest::keyClick(box(&window, "allowableSettlementEdit"), Qt::Key_Return);
            QVERIFY2(!ended.isEmpty() || !button(&window, "runButton")->isEnabled(), "Enter did not start the run");
            QVERIFY(!ended.isEmpty() || ended.wait(kRunTimeoutMs));
            QCOMPARE(window.points().size(), std::size_t{4});
        }
        CSectionsDialog next;
        QCOMPARE(boxText(&next, "surchargeEdit"), QStringLiteral("20"));
        QCOMPARE(boxText(&next, "allowableSettlementEdit"), QStringLiteral("100"));
    }

    void escapeAsksOnlyWhenResultsWouldBeLost_data()
    {
        QTest::addColumn<bool>("computed");
        QTest::addColumn<bool>("closeAnswer");
        QTest::addRow("nothing computed") << false << false;
        QTest::addRow("results kept") << true << false;
        QTest::addRow("results given up") << true << true;
    }

    void escapeAsksOnlyWhenResultsWouldBeLost()
    {
        QFETCH(bool, computed);
        QFETCH(bool, closeAnswer);
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        if (computed)
            QVERIFY(runs(window, QStringLiteral("20"), QString()));
        ModalWatchdog watchdog;
        if (computed)
            watchdog.expect<QMessageBox>([closeAnswer](QMessageBox* box) {
                box->button(closeAnswer ? QMessageBox::Yes : QMessageBox::No)->click();
            });
        QTest::keyClick(box(&window, "surchargeEdit"), Qt::Key_Escape);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(window.isVisible(), computed && !closeAnswer);
    }

    void reportExported_data()
    {
        QTest::addColumn<QString>("target");  // in the test's folder; empty for a cancelled file dialog
        QTest::addColumn<bool>("cancelWhileWritten");
        QTest::addColumn<QString>("shown");
        QTest::addRow("written") << QStringLiteral("road.pdf") << false << QStringLiteral("计算书导出成功！");
        QTest::addRow("folder refused") << QStringLiteral(".") << false << QStringLiteral("计算书导出失败！");
        QTest::addRow("cancelled") << QString() << false << QString();
        QTest::addRow("cancelled while written") << QStringLiteral("road.pdf") << true << QString();
    }

    // The road's report of the last run, named after the table, written
    // beside the interface under a progress dialog over the window; 取消
    // leaves an earlier file as it was.
    void reportExported()
    {
        QFETCH(QString, target);
        QFETCH(bool, cancelWhileWritten);
        QFETCH(QString, shown);
        FakeServices services;
        CSectionsDialog window;
        window.show();
        QVERIFY(!button(&window, "exportReportButton")->isEnabled());
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        QVERIFY(runs(window, QStringLiteral("20"), QStringLiteral("100")));
        const QString path = target.isEmpty() ? QString() : QDir(folder_.path()).filePath(target);
        const QByteArray earlier = "an earlier report";
        if (target == QLatin1String("road.pdf"))
            writeFile(folder_, target, earlier);
        services.answerFileDialogs({path});
        ModalWatchdog watchdog;
        Qt::WindowModality progressModality = Qt::NonModal;
        if (target == QLatin1String("road.pdf"))
            watchdog.expect<QProgressDialog>([&](QProgressDialog* progress) {
                progressModality = progress->parentWidget() == &window ? progress->windowModality() : Qt::NonModal;
                if (cancelWhileWritten)
                    progress->findChild<QPushButton*>()->click();
            });
        click(&window, "exportReportButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(services.fileDialogsAsked(), 1);
        QCOMPARE(services.texts().isEmpty() ? QString() : services.texts().first().section('\n', 0, 0), shown);
        if (target != QLatin1String("road.pdf"))
            return;
        QCOMPARE(progressModality, Qt::WindowModal);
        if (cancelWhileWritten) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), earlier);
            return;
        }
        const QString text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("road.csv")) && text.contains(QStringLiteral("控制断面 K9+000")),
                 qPrintable(text.left(2000)));
    }

    // A report of more sections than it can lay out in bounded time is
    // refused before a file is asked for.
    void reportOfTooManySectionsRefused()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        QByteArray road = "station\n";
        for (int i = 0; i < 501; ++i)
            road += "K" + QByteArray::number(i) + "+000\n";
        loadTable(window, writeFile(folder_, QStringLiteral("long.csv"), road));
        QVERIFY(runs(window, QStringLiteral("20"), QString()));
        click(&window, "exportReportButton");
        QCOMPARE(services.fileDialogsAsked(), 0);
        QVERIFY2(services.lastText().contains(QStringLiteral("共有501个断面，超过上限500个")), qPrintable(services.lastText()));
    }

    void doubleClickMakesTheSectionTheCurrentProject()
    {
        FakeServices services;
        CSectionsDialog window;
        window.show();
        loadTable(window, writeFile(folder_, QStringLiteral("road.csv"), kRoad));
        QVERIFY(runs(window, QStringLiteral("20"), QString()));
        auto* table = child<QTableWidget>(&window, "summaryTable");
        table->sortByColumn(0, Qt::AscendingOrder);
        const QRect cell = table->visualItemRect(table->item(2, 0));  // K10+050, on its own borehole

        ModalWatchdog watchdog;
        QString question;
        watchdog.expect<QMessageBox>([&question](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        });
        doubleClick(table, cell.center());
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY2(question.contains(QStringLiteral("K10+050")), qPrintable(question));
        QCOMPARE(g_project, settlementExample());

        watchdog.expect<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        doubleClick(table, cell.center());
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(g_project.embankmentHeight, 2.0);
        QCOMPARE(g_project.shaftLayerCount, 1);  // the borehole's clay, not the example's two layers
        QCOMPARE(g_project.extension.value("ms"), std::string("1.3"));  // the section's own, as its cell gives it
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(SectionsWindowTest)
#include "sections_window_test.moc"
