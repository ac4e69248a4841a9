// The design window as an engineer uses it: a spacing sweep of the worked
// example checked against q and [s], its table and charts, refused ranges,
// a large grid cancelled half way, adopting a point, the remembered demands.
#include "forms/design/design_dialog.h"

#include "output/sweep_csv.h"
#include "forms/design/sweep_charts.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "worked_examples.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QImage>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace testing_support;

namespace {

constexpr int kSweepTimeoutMs = 60000;

void chooseField(CDesignDialog& window, const char* comboName, const char* field)
{
    auto* combo = child<QComboBox>(&window, comboName);
    combo->setCurrentIndex(combo->findData(QString::fromLatin1(field)));
}

// Types the range and the demands and presses "开始计算".
void startSweep(CDesignDialog& window, const QString& from, const QString& to, const QString& step,
                const QString& surcharge, const QString& allowed)
{
    typeAll(&window, {{"firstFromEdit", from}, {"firstToEdit", to}, {"firstStepEdit", step},
                      {"surchargeEdit", surcharge}, {"allowableSettlementEdit", allowed}});
    click(&window, "runButton");
}

// A grid: the head diameter varied too, by 0.01 m.
void varyHeadDiameterToo(CDesignDialog& window, const QString& from, const QString& to)
{
    child<QGroupBox>(&window, "gridGroup")->setChecked(true);
    chooseField(window, "secondFieldCombo", "headDiameter");
    typeAll(&window, {{"secondFromEdit", from}, {"secondToEdit", to}, {"secondStepEdit", "0.01"}});
}

bool sweepEnds(QSignalSpy& shown)
{
    return !shown.isEmpty() || shown.wait(kSweepTimeoutMs);
}

int seriesCount(const CDesignDialog& window, const char* chartName)
{
    return static_cast<int>(child<QChartView>(&window, chartName)->chart()->series().size());
}

}  // namespace

class DesignWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(settingsFolder_.isValid());
        testing_support::keepSettingsIn(settingsFolder_.path());
    }

    void init()
    {
        g_project = settlementExample();
        QSettings().clear();
    }

    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    // p0 + q = 57 + 40 = 97 kPa holds up to a 2.75 m square spacing and a
    // settlement of 75 mm up to 2 m (71.12 mm; 76.78 mm at 2.25 m).
    void spacingSweepFillsTheTableAndBothCharts()
    {
        FakeServices services;
        CDesignDialog window;
        window.show();
        QCOMPARE(child<QComboBox>(&window, "firstFieldCombo")->currentText(), QStringLiteral("正方形桩间距（m）"));
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        startSweep(window, "1", "4", "0.25", "40", "75");
        QVERIFY(sweepEnds(shown));

        QCOMPARE(services.texts(), QStringList());
        QCOMPARE(child<QTableView>(&window, "resultTable")->model()->rowCount(), 13);
        QVERIFY(window.bestPoint());
        QCOMPARE(window.points()[*window.bestPoint()].values, std::vector<double>{2.0});
        QVERIFY2(child<QLabel>(&window, "summaryLabel")->text().contains(QStringLiteral("正方形桩间距（m） = 2")),
                 qPrintable(child<QLabel>(&window, "summaryLabel")->text()));
        // Passing range, result, demand line and best point on each chart.
        QCOMPARE(seriesCount(window, "capacityChart"), 4);
        QCOMPARE(seriesCount(window, "settlementChart"), 4);
        QCOMPARE(g_project, settlementExample());
    }

    void refusedInputsAreExplained_data()
    {
        QTest::addColumn<QStringList>("typed");  // from, to, step, q, [s]
        QTest::addColumn<QString>("message");
        QTest::addRow("backwards") << QStringList{"2", "1", "0.1", "", ""} << QStringLiteral("起始值不应大于终止值！");
        QTest::addRow("zero step") << QStringList{"1", "2", "0", "", ""} << QStringLiteral("步长应大于0！");
        QTest::addRow("unreadable step") << QStringList{"1", "2", "x", "", ""}
                                         << QStringLiteral("请输入起始值、终止值和步长！");
        QTest::addRow("too many points") << QStringList{"0", "2000000", "1", "", ""}
                                         << QStringLiteral("共2000001个方案，一次最多比选1000000个，请加大步长或缩小范围！");
        QTest::addRow("one over the limit") << QStringList{"0", "1000000", "1", "", ""}
                                            << QStringLiteral("共1000001个方案，一次最多比选1000000个，请加大步长或缩小范围！");
        QTest::addRow("negative surcharge") << QStringList{"1", "2", "0.5", "-1", ""}
                                            << QStringLiteral("附加荷载q应为不小于0的数！");
        QTest::addRow("unreadable surcharge") << QStringList{"1", "2", "0.5", "q", ""}
                                              << QStringLiteral("请输入正确的附加荷载q！");
        QTest::addRow("zero allowance") << QStringList{"1", "2", "0.5", "", "0"}
                                        << QStringLiteral("容许沉降[s]应为大于0的数！");
    }

    void refusedInputsAreExplained()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        FakeServices services;
        CDesignDialog window;
        window.show();
        startSweep(window, typed[0], typed[1], typed[2], typed[3], typed[4]);
        QCOMPARE(services.texts(), QStringList{message});
        QVERIFY(!window.isRunning());
    }

    void cancelKeepsThePointsComputedSoFar()
    {
        CDesignDialog window;
        window.show();
        varyHeadDiameterToo(window, "0.5", "1.48");
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        // Cancel as soon as the progress bar first moves.
        auto* progress = child<QProgressBar>(&window, "progressBar");
        connect(progress, &QProgressBar::valueChanged, &window, [&window](int value) {
            if (value > 0 && window.isRunning())
                click(&window, "cancelButton");
        });
        startSweep(window, "1", "2", "0.001", "", "");  // 1001 x 99 points
        QVERIFY(window.isRunning());
        QVERIFY(sweepEnds(shown));

        QVERIFY(!window.isRunning());
        QVERIFY(!window.points().empty());
        QVERIFY2(window.points().size() < 99099, qPrintable(QString::number(window.points().size())));
        QCOMPARE(child<QTableView>(&window, "resultTable")->model()->rowCount(), int(window.points().size()));
        QVERIFY(child<QPushButton>(&window, "runButton")->isEnabled());
    }

    // Also the time of a 100 x 100 grid, for the record (not a limit).
    void gridShowsWherePointsPass()
    {
        CDesignDialog window;
        window.show();
        varyHeadDiameterToo(window, "0.5", "1.49");
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        QElapsedTimer clock;
        clock.start();
        startSweep(window, "1", "2.98", "0.02", "40", "");
        QVERIFY(sweepEnds(shown));
        qInfo("100 x 100 grid: %lld ms", static_cast<long long>(clock.elapsed()));

        QCOMPARE(window.points().size(), std::size_t{10000});
        auto* tabs = child<QTabWidget>(&window, "resultTabs");
        auto* map = child<design::PassMap>(&window, "passMap");
        QVERIFY(tabs->isTabEnabled(tabs->indexOf(map)));
        QVERIFY(!tabs->isTabEnabled(tabs->indexOf(child<QChartView>(&window, "capacityChart"))));
        QVERIFY(map->passingCells() > 0 && map->passingCells() < 10000);

        // Ticks along both sides at round values, as many as keep apart, and
        // a legend above the cells for each colour.
        map->resize(640, 480);
        for (const QStringList& ticks : {map->columnTicks(), map->rowTicks()}) {
            QVERIFY2(ticks.size() >= 3 && ticks.size() <= 20, qPrintable(ticks.join(' ')));
            const double step = ticks[1].toDouble() - ticks[0].toDouble();
            const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
            QVERIFY2(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 || std::fabs(mantissa - 5) < 1e-6,
                     qPrintable(ticks.join(' ')));
            for (int i = 1; i < ticks.size(); ++i)
                QVERIFY2(std::fabs(ticks[i].toDouble() - ticks[i - 1].toDouble() - step) < 1e-9, qPrintable(ticks.join(' ')));
        }
        const QImage picture = map->grab().toImage();
        QSet<QRgb> legendColours;
        for (int y = 0; y < map->fontMetrics().height() * 2; ++y)
            for (int x = 0; x < picture.width(); ++x)
                legendColours.insert(picture.pixel(x, y) & 0xFFFFFF);
        for (const QRgb colour : {qRgb(46, 160, 67), qRgb(218, 54, 51), qRgb(190, 190, 190)})
            QVERIFY2(legendColours.contains(colour & 0xFFFFFF), qPrintable(QString::number(colour, 16)));
    }

    void adoptingAPointChangesTheProjectOnlyWhenConfirmed()
    {
        CDesignDialog window;
        window.show();
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        startSweep(window, "1", "4", "0.25", "40", "");
        QVERIFY(sweepEnds(shown));
        child<QTableView>(&window, "resultTable")->selectRow(3);  // 1.75 m
        QString question;
        ModalWatchdog watchdog;
        watchdog.expect<QMessageBox>([&question](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        });
        click(&window, "adoptButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY2(question.contains(QStringLiteral("正方形桩间距（m） = 1.75")), qPrintable(question));
        QCOMPARE(g_project, settlementExample());

        watchdog.expect<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        click(&window, "adoptButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(g_project.spacingSquare, 1.75);
        QCOMPARE(g_project.equivalentDiameter, 1.13 * 1.75);
    }

    void demandsAreRememberedAndTheTableCopiedAndExported()
    {
        QTemporaryDir folder;
        const QString csvPath = folder.filePath(QStringLiteral("sweep"));
        {
            CDesignDialog window;
            window.askCsvFileName = [&csvPath](QWidget*) { return csvPath; };
            window.show();
            QSignalSpy shown(&window, &CDesignDialog::sweepShown);
            startSweep(window, "1.5", "2.5", "0.5", "12.5", "150");
            QVERIFY(sweepEnds(shown));
            click(&window, "copyButton");
            click(&window, "exportButton");
        }
        const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 4);
        QVERIFY(copied[0].startsWith(QStringLiteral("spacingSquare\tequivalentDiameter\t")));
        QVERIFY2(copied[2].startsWith(QStringLiteral("2\t2.26\t")), qPrintable(copied[2]));
        QFile csv(csvPath + QStringLiteral(".csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csv.readAll()), QApplication::clipboard()->text().replace('\t', ','));

        CDesignDialog reopened;
        QCOMPARE(boxText(&reopened, "surchargeEdit"), QStringLiteral("12.5"));
        QCOMPARE(boxText(&reopened, "allowableSettlementEdit"), QStringLiteral("150"));
    }

private:
    QTemporaryDir settingsFolder_;
};

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
