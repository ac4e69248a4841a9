// The design window and the soil profile window as a new user tries them:
// Enter starts the calculation from any field, Tab leaves the tables for the
// buttons, no caption is cut short, the charts read as a person reads a
// chart, and the summary says what the run found and how it ended.
#include "forms/design/design_dialog.h"
#include "forms/profile/profile_window.h"
#include "support/fake_services.h"
#include "support/widgets.h"
#include "worked_examples.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QValueAxis>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using namespace testing_support;

namespace {

constexpr int kSweepTimeoutMs = 20000;

void chooseField(CDesignDialog& window, const char* comboName, const char* field)
{
    auto* combo = child<QComboBox>(&window, comboName);
    combo->setCurrentIndex(combo->findData(QString::fromLatin1(field)));
}

// A square spacing of 1 to 2 m checked against q = 40 kPa; with `grid`, the
// head diameter varied too.
void enterSmallSweep(CDesignDialog& window, bool grid)
{
    typeAll(&window, {{"firstFromEdit", "1"}, {"firstToEdit", "2"}, {"firstStepEdit", "0.5"},
                      {"surchargeEdit", "40"}, {"allowableSettlementEdit", ""}});
    if (!grid)
        return;
    child<QGroupBox>(&window, "gridGroup")->setChecked(true);
    chooseField(window, "secondFieldCombo", "headDiameter");
    typeAll(&window, {{"secondFromEdit", "0.8"}, {"secondToEdit", "1"}, {"secondStepEdit", "0.1"}});
}

bool runSweep(CDesignDialog& window)
{
    QSignalSpy shown(&window, &CDesignDialog::sweepShown);
    click(&window, "runButton");
    return !shown.isEmpty() || shown.wait(kSweepTimeoutMs);
}

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("%s did not become active", window.metaObject()->className());
}

// A step is round when it is 1, 2, 2.5 or 5 times a power of ten.
bool isRoundStep(double step)
{
    if (!(step > 0))
        return false;
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    for (double round : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::fabs(mantissa - round) < 1e-6)
            return true;
    return false;
}

bool isMultipleOf(double value, double step)
{
    const double ratio = value / step;
    return std::fabs(ratio - std::round(ratio)) < 1e-6;
}

}  // namespace

class DesignKeyboardTest : public QObject {
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

    void enterInAnyFieldStartsTheCalculation_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("grid");
        QTest::addRow("from") << QStringLiteral("firstFromEdit") << false;
        QTest::addRow("to") << QStringLiteral("firstToEdit") << false;
        QTest::addRow("step") << QStringLiteral("firstStepEdit") << false;
        QTest::addRow("surcharge q") << QStringLiteral("surchargeEdit") << false;
        QTest::addRow("allowed settlement") << QStringLiteral("allowableSettlementEdit") << false;
        QTest::addRow("second field's step") << QStringLiteral("secondStepEdit") << true;
    }

    void enterInAnyFieldStartsTheCalculation()
    {
        QFETCH(QString, field);
        QFETCH(bool, grid);
        FakeServices services;
        CDesignDialog window;
        showActive(window);
        enterSmallSweep(window, grid);
        QLineEdit* edit = box(&window, field.toLatin1().constData());
        edit->setFocus();
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!shown.isEmpty() || shown.wait(kSweepTimeoutMs));
        QCOMPARE(services.texts(), QStringList());
        QCOMPARE(window.points().size(), std::size_t(grid ? 9 : 3));
    }

    void tabLeavesTheTables_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("table");
        QTest::addRow("design result table") << QStringLiteral("design") << QStringLiteral("resultTable");
        QTest::addRow("profile strata table") << QStringLiteral("profile") << QStringLiteral("strataTable");
    }

    void tabLeavesTheTables()
    {
        QFETCH(QString, window);
        QFETCH(QString, table);
        std::unique_ptr<QWidget> shown;
        if (window == QLatin1String("design")) {
            auto design = std::make_unique<CDesignDialog>();
            enterSmallSweep(*design, false);
            QVERIFY(runSweep(*design));
            shown = std::move(design);
        } else {
            auto profile = std::make_unique<ProfileWindow>(PileShape{1.0, 0.5, 2.0, 10.0});
            for (int i = 0; i < 3; ++i)
                click(profile.get(), "addButton");
            shown = std::move(profile);
        }
        showActive(*shown);
        auto* view = child<QAbstractItemView>(shown.get(), table.toLatin1().constData());
        QVERIFY(view->model()->rowCount() >= 3);
        view->setFocus();
        view->setCurrentIndex(view->model()->index(0, 0));
        QStringList visited;
        for (int i = 0; i < 12 && QApplication::focusWidget() == view; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() != view, "Tab stays in the table");
        // Onwards to a button, as a keyboard user gets to "复制" or "添加".
        for (int i = 0; i < 8 && !qobject_cast<QPushButton*>(QApplication::focusWidget()); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY2(qobject_cast<QPushButton*>(QApplication::focusWidget()), qPrintable(visited.join(',')));
    }

    void noCaptionIsCutShort_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addRow("before a run") << QStringLiteral("new");
        QTest::addRow("after a sweep") << QStringLiteral("sweep");
        QTest::addRow("after a grid") << QStringLiteral("grid");
    }

    // Every choice of every combo box fits it, every label shows all its
    // lines, and every column header fits its column.
    void noCaptionIsCutShort()
    {
        QFETCH(QString, state);
        CDesignDialog window;
        window.show();
        chooseField(window, "firstFieldCombo", "shaftStrengthFactor");
        if (state != QLatin1String("new")) {
            enterSmallSweep(window, state == QLatin1String("grid"));
            QVERIFY(runSweep(window));
        }
        for (QComboBox* combo : window.findChildren<QComboBox*>())
            QVERIFY2(combo->width() >= combo->sizeHint().width(),
                     qPrintable(QStringLiteral("%1: %2 < %3").arg(combo->objectName()).arg(combo->width())
                                    .arg(combo->sizeHint().width())));
        QTest::qWait(50);  // the layout follows the new summary
        for (QLabel* label : window.findChildren<QLabel*>()) {
            const int needed = label->hasHeightForWidth() ? label->heightForWidth(label->width())
                                                          : label->sizeHint().height();
            QVERIFY2(!label->isVisible() || label->height() >= needed,
                     qPrintable(QStringLiteral("%1: %2 < %3").arg(label->text()).arg(label->height()).arg(needed)));
        }
        const QHeaderView* header = child<QTableView>(&window, "resultTable")->horizontalHeader();
        QVERIFY(header->count() > 0);
        for (int section = 0; section < header->count(); ++section)
            QVERIFY2(header->sectionSize(section) >= header->sectionSizeHint(section),
                     qPrintable(header->model()->headerData(section, Qt::Horizontal).toString()));
    }

    // Scrolling over the left panel leaves every choice as it was.
    void wheelOverAnUnfocusedChoiceChangesNothing()
    {
        CDesignDialog window;
        showActive(window);
        box(&window, "surchargeEdit")->setFocus();
        for (QComboBox* combo : window.findChildren<QComboBox*>()) {
            const int before = combo->currentIndex();
            const QPointF at = combo->rect().center();
            QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
            QVERIFY2(combo->currentIndex() == before, qPrintable(combo->objectName()));
        }
    }

    void chartsHaveRoundTicksAndOneQuantityPerAxis_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QString>("title");
        QTest::addRow("capacity, field") << QStringLiteral("capacityChart") << int(Qt::AlignBottom)
                                         << QStringLiteral("正方形桩间距（m）");
        QTest::addRow("capacity, value") << QStringLiteral("capacityChart") << int(Qt::AlignLeft)
                                         << QStringLiteral("复合地基承载力特征值fspk（kPa）");
        QTest::addRow("settlement, field") << QStringLiteral("settlementChart") << int(Qt::AlignBottom)
                                           << QStringLiteral("正方形桩间距（m）");
        QTest::addRow("settlement, value") << QStringLiteral("settlementChart") << int(Qt::AlignLeft)
                                           << QStringLiteral("沉降（mm）");
    }

    void chartsHaveRoundTicksAndOneQuantityPerAxis()
    {
        QFETCH(QString, chart);
        QFETCH(int, edge);
        QFETCH(QString, title);
        CDesignDialog window;
        window.show();
        typeAll(&window, {{"firstFromEdit", "1.3"}, {"firstToEdit", "3.7"}, {"firstStepEdit", "0.3"},
                          {"surchargeEdit", "40"}, {"allowableSettlementEdit", "75"}});
        QVERIFY(runSweep(window));
        QChart* shown = child<QChartView>(&window, chart.toLatin1().constData())->chart();
        const QList<QAbstractAxis*> axes = shown->axes(edge == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
        QCOMPARE(axes.size(), 1);
        auto* axis = qobject_cast<QValueAxis*>(axes.first());
        QVERIFY(axis);
        QCOMPARE(axis->titleText(), title);
        QVERIFY(axis->tickCount() >= 3);
        const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
        QVERIFY2(isRoundStep(step) && isMultipleOf(axis->min(), step),
                 qPrintable(QStringLiteral("%1 to %2 in %3 ticks").arg(axis->min()).arg(axis->max())
                                .arg(axis->tickCount())));
        // The passing range is shaded from the bottom of the value axis to its top.
        if (edge == Qt::AlignLeft) {
            QAreaSeries* shaded = nullptr;
            for (QAbstractSeries* series : shown->series())
                if (auto* area = qobject_cast<QAreaSeries*>(series); area && !shaded)
                    shaded = area;
            QVERIFY(shaded);
            QCOMPARE(shaded->lowerSeries()->at(0).y(), axis->min());
            QCOMPARE(shaded->upperSeries()->at(0).y(), axis->max());
        }
    }

    void settlementChartNamesItsCriterionInFull_data()
    {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<QString>("title");
        QTest::addRow("deformation ratio") << 0 << QStringLiteral("沉降计算终止条件：ΔSn < 0.025ΣSi （变形比法）");
        QTest::addRow("stress ratio 0.2") << 1 << QStringLiteral("沉降计算终止条件：σz < 0.2σc （应力比法）");
        QTest::addRow("stress ratio 0.1")
            << 2 << QStringLiteral("沉降计算终止条件：σz < 0.1σc （应力比法，下有高压缩性土层）");
    }

    // Chart titles are rich text: a "<" must not swallow the rest.
    void settlementChartNamesItsCriterionInFull()
    {
        QFETCH(int, criterion);
        QFETCH(QString, title);
        CDesignDialog window;
        window.show();
        child<QComboBox>(&window, "criterionCombo")->setCurrentIndex(criterion);
        enterSmallSweep(window, false);
        QVERIFY(runSweep(window));
        QTextDocument shown;
        shown.setHtml(child<QChartView>(&window, "settlementChart")->chart()->title());
        QCOMPARE(shown.toPlainText(), title);
    }

    void summaryNamesTheBestPointAndHowTheRunEnded_data()
    {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("unsaid");
        QTest::addRow("one field")
            << false << false << QStringList{QStringLiteral("最优方案：正方形桩间距（m） = ")}
            << QStringList{QStringLiteral("取消")};
        QTest::addRow("grid names both fields")
            << true << false
            << QStringList{QStringLiteral("最优方案：正方形桩间距（m） = "), QStringLiteral("扩大头直径D（m） = ")}
            << QStringList{QStringLiteral("取消")};
        QTest::addRow("cancelled grid")
            << true << true << QStringList{QStringLiteral("计算已取消"), QStringLiteral("扩大头直径D（m） = ")}
            << QStringList{QStringLiteral("最优方案")};
    }

    void summaryNamesTheBestPointAndHowTheRunEnded()
    {
        QFETCH(bool, grid);
        QFETCH(bool, cancel);
        QFETCH(QStringList, said);
        QFETCH(QStringList, unsaid);
        CDesignDialog window;
        window.show();
        enterSmallSweep(window, grid);
        if (cancel) {
            // Fine steps, cancelled as soon as the progress bar first moves.
            typeAll(&window, {{"firstStepEdit", "0.001"}, {"secondStepEdit", "0.01"}});
            connect(child<QProgressBar>(&window, "progressBar"), &QProgressBar::valueChanged, &window,
                    [&window](int value) {
                        if (value > 0 && window.isRunning())
                            click(&window, "cancelButton");
                    });
        }
        QVERIFY(runSweep(window));
        QVERIFY(window.bestPoint());
        const QString summary = child<QLabel>(&window, "summaryLabel")->text();
        for (const QString& text : said)
            QVERIFY2(summary.contains(text), qPrintable(summary));
        for (const QString& text : unsaid)
            QVERIFY2(!summary.contains(text), qPrintable(summary));
    }

    void onePointLimitSaysHowManyWereAsked_data()
    {
        QTest::addColumn<QStringList>("first");   // from, to, step
        QTest::addColumn<QStringList>("second");  // the head diameter's; none for one field
        QTest::addColumn<QString>("message");
        QTest::addRow("one field") << QStringList{"0", "2000000", "1"} << QStringList()
                                   << QStringLiteral("共2000001个方案，一次最多比选1000000个，请加大步长或缩小范围！");
        QTest::addRow("grid over the limit")
            << QStringList{"1", "10001", "1"} << QStringList{"0.5", "1.5", "0.01"}
            << QStringLiteral("共1010101个方案，一次最多比选1000000个，请加大步长或缩小范围！");
        QTest::addRow("far over the limit") << QStringList{"0", "1e300", "1"} << QStringList()
                                            << QStringLiteral("共1e+300个方案，一次最多比选1000000个，请加大步长或缩小范围！");
    }

    void onePointLimitSaysHowManyWereAsked()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, message);
        FakeServices services;
        CDesignDialog window;
        window.show();
        typeAll(&window, {{"firstFromEdit", first[0]}, {"firstToEdit", first[1]}, {"firstStepEdit", first[2]}});
        if (!second.isEmpty()) {
            child<QGroupBox>(&window, "gridGroup")->setChecked(true);
            chooseField(window, "secondFieldCombo", "headDiameter");
            typeAll(&window, {{"secondFromEdit", second[0]}, {"secondToEdit", second[1]},
                              {"secondStepEdit", second[2]}});
        }
        click(&window, "runButton");
        QCOMPARE(services.texts(), QStringList{message});
        QVERIFY(!window.isRunning());
    }

    // Pile tips 100 km down: few points, but millions of settlement slices each.
    void tooMuchWorkIsRefusedUpFront()
    {
        g_project.headLength = g_project.headThickness[1] = 99990;
        g_project.pileLength = 99998;
        FakeServices services;
        CDesignDialog window;
        window.show();
        typeAll(&window, {{"firstFromEdit", "1"}, {"firstToEdit", "3"}, {"firstStepEdit", "0.001"}});
        click(&window, "runButton");
        QCOMPARE(services.texts().size(), 1);
        const QString refusal = services.texts().first();
        QVERIFY2(refusal.startsWith(QStringLiteral("共2001个方案，每个方案至多"))
                     && refusal.endsWith(QStringLiteral("合计超过1000000000个，请加大步长或缩小范围！")),
                 qPrintable(refusal));
        QVERIFY(!window.isRunning());
    }

private:
    QTemporaryDir settingsFolder_;
};

QTEST_MAIN(DesignKeyboardTest)
#include "design_keyboard_test.moc"
