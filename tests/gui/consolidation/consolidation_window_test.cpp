// The "工后沉降" window as an engineer uses it: opened from the settlement
// form or its result form, cv typed beside the layers and a fill history,
// the curve, the table at chosen times and the checks; refused inputs are
// named in the window and never stored.
#include "forms/consolidation/consolidation_window.h"
#include "forms/consolidation/time_chart.h"
#include "forms/settlement/settlement_dialog.h"
#include "forms/settlement/settlement_result_dialog.h"
#include "support/widgets.h"
#include "worked_examples.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

#include <cmath>

#include <memory>

using namespace testing_support;
using consolidation::ConsolidationWindow;

namespace {

ConsolidationWindow* openedWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<ConsolidationWindow*>(widget))
            return window;
    return nullptr;
}

void setCell(QTableWidget* table, int row, int column, const QString& text)
{
    if (row >= table->rowCount())
        table->setRowCount(row + 1);
    table->setItem(row, column, new QTableWidgetItem(text));
}

// cv of the worked example's six layers (head, two shaft, three base).
void typeCv(ConsolidationWindow& w)
{
    const QStringList cv{"2", "2", "3", "1.5", "4", "6"};
    for (int row = 0; row < cv.size(); ++row)
        setCell(w.layerTable(), row, 4, cv[row]);
}

void typeFill(ConsolidationWindow& w, const QStringList& pairs)
{
    for (int row = 0; row < pairs.size(); ++row) {
        const QStringList parts = pairs[row].split(':');
        setCell(w.fillTable(), row, 0, parts[0]);
        setCell(w.fillTable(), row, 1, parts[1]);
    }
}

// 1, 2 or 5 × 10ⁿ.
bool isRoundStep(double step)
{
    const double scale = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / scale;
    return std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9;
}

}  // namespace

class ConsolidationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        g_project = settlementExample();
        g_project.deriveEquivalentDiameter();
    }

    void cleanup()
    {
        delete openedWindow();
    }

    void openedFromBothForms_data()
    {
        QTest::addColumn<bool>("resultForm");
        QTest::newRow("settlementForm") << false;
        QTest::newRow("settlementResultForm") << true;
    }

    void openedFromBothForms()
    {
        QFETCH(bool, resultForm);
        std::unique_ptr<QDialog> form;
        if (resultForm)
            form = std::make_unique<CSettlementResultDialog>();
        else
            form = std::make_unique<CSettlementDialog>();
        form->setWindowModality(Qt::ApplicationModal);  // as the main window runs it
        form->show();
        click(form.get(), "consolidationButton");
        QPointer<ConsolidationWindow> window = openedWindow();
        QVERIFY(window);
        QVERIFY2(QTest::qWaitForWindowActive(window), "the window is not the active window over its form");
        QCOMPARE(window->layerTable()->rowCount(), 6);
        QCOMPARE(window->layerTable()->item(5, 0)->text(), QStringLiteral("桩端以下"));
        click(form.get(), "consolidationButton");
        QCOMPARE(form->findChildren<ConsolidationWindow*>().size(), 1);
        // A key as the desktop delivers it, to the focus window: Esc reaches
        // the window, not the form.
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "the keyboard does not reach the window");
        QVERIFY(form->isVisible());
        click(form.get(), "consolidationButton");
        window = openedWindow();
        form->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "the window outlived its form");
    }

    // Every column in view at the opening size; fak only beside the layers
    // below the tips.
    void layerColumnsInViewWithFakOnlyBelowTheTips()
    {
        ConsolidationWindow window(g_project);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QTableWidget* table = window.layerTable();
        QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(),
                 qPrintable(QStringLiteral("%1 of %2 pixels").arg(table->viewport()->width()).arg(table->horizontalHeader()->length())));
        QVERIFY(!(table->item(1, 5)->flags() & Qt::ItemIsEnabled));  // a shaft layer
        QVERIFY(table->item(3, 5)->flags() & Qt::ItemIsEditable);    // the first layer below the tips
    }

    void refusalNamesTheBoxAndClearsTheResults_data()
    {
        QTest::addColumn<int>("row");  // of the layer table for a cv, -1 for a fill point
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("status");
        QTest::newRow("head cv") << 0 << "x" << "扩大头段各层的cv：固结系数cv应为每层一个大于0且不大于1000000的数（共1层）！";
        QTest::newRow("shaft cv") << 1 << "x" << "下部桩段各层的cv：固结系数cv应为每层一个大于0且不大于1000000的数（共2层）！";
        QTest::newRow("base cv") << 4 << "0" << "桩端以下各层的cv：固结系数cv应为每层一个大于0且不大于1000000的数（共3层）！";
        QTest::newRow("fill lowered") << -1 << "60:2" << "填土过程：填土高度不得减小（不计卸载与回弹）！";
    }

    void refusalNamesTheBoxAndClearsTheResults()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, status);
        ConsolidationWindow window(g_project);
        window.show();
        typeCv(window);
        typeFill(window, {"0:0", "30:3"});
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        QVERIFY(window.timeTable()->rowCount() > 0);
        if (row >= 0)
            setCell(window.layerTable(), row, 4, typed);
        else
            typeFill(window, {"0:0", "30:3", typed});
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        QCOMPARE(window.statusLabel()->text(), status);
        QCOMPARE(window.timeTable()->rowCount(), 0);
        QVERIFY(window.chart().settlementPoints().isEmpty());
        QCOMPARE(window.checksLabel()->text(), QString());
    }

    void enterComputesEscapeCloses()
    {
        auto* window = new ConsolidationWindow(g_project);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<ConsolidationWindow> alive = window;
        window->show();
        typeCv(*window);
        typeFill(*window, {"0:0", "90:3"});
        window->allowanceEdit()->setFocus();
        QTest::keyClick(window->allowanceEdit(), Qt::Key_Return);
        QVERIFY2(window->checksLabel()->text().contains(QStringLiteral("工后沉降 53.38 mm")),
                 qPrintable(window->statusLabel()->text()));
        QTest::keyClick(window->allowanceEdit(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!alive, "Esc left the window open");
    }

    void computes_data()
    {
        QTest::addColumn<QStringList>("fill");
        QTest::addColumn<int>("roadClass");
        QTest::addColumn<int>("location");
        QTest::addColumn<QString>("allowance");
        QTest::addColumn<QString>("fak");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("checks");
        const QStringList staged{"0:0", "90:3"};
        QTest::newRow("secondClassGeneral")
            << staged << 2 << 3 << QString() << QString() << QString()
            << QStringList{"工后沉降 53.38 mm ≤ [s工后] = 500 mm：满足"};
        QTest::newRow("typedAllowanceNotMet")
            << staged << 0 << 0 << "30" << QString() << QString()
            << QStringList{"工后沉降 53.38 mm > [s工后] = 30 mm：不满足"};
        QTest::newRow("bearingChecks")
            << staged << 0 << 0 << QString() << "120,100,140" << QString()
            << QStringList{"工后沉降 53.38 mm（未给出容许工后沉降）。",
                           "下卧层1（深度 10.00 m）：pz + pcz = 57.00 + 186.00 = 243.00 kPa ≤ faz = 296.70 kPa：满足",
                           "下卧层2（深度 13.00 m）：pz + pcz = 57.00 + 243.00 = 300.00 kPa ≤ faz = 333.65 kPa：满足",
                           "下卧层3（深度 18.00 m）：pz + pcz = 57.00 + 340.50 = 397.50 kPa ≤ faz = 471.04 kPa：满足"};
        QStringList longFill{"0:0"};
        for (int day = 1; day < 30000; ++day)
            longFill << QStringLiteral("%1:%2").arg(day).arg(day + 1 == 30000 ? 3.0 : 3.0 * day / 30000, 0, 'f', 6);
        QTest::newRow("longFillRefusedUpFront")
            << longFill << 0 << 0 << QString() << QString() << "填土过程：沉降过程的计算需要" << QStringList{};
        QTest::newRow("unloadingRefused")
            << QStringList{"0:0", "30:3.5", "60:3"} << 0 << 0 << QString() << QString()
            << "填土过程：填土高度不得减小（不计卸载与回弹）！" << QStringList{};
    }

    void computes()
    {
        QFETCH(QStringList, fill);
        QFETCH(int, roadClass);
        QFETCH(int, location);
        QFETCH(QString, allowance);
        QFETCH(QString, fak);
        QFETCH(QString, status);
        QFETCH(QStringList, checks);
        ConsolidationWindow window(g_project);
        window.show();
        typeCv(window);
        typeFill(window, fill);
        const QStringList fakValues = fak.split(',', Qt::SkipEmptyParts);
        for (int i = 0; i < fakValues.size(); ++i)
            setCell(window.layerTable(), 3 + i, 5, fakValues[i]);
        window.roadClassBox()->setCurrentIndex(roadClass);
        window.locationBox()->setCurrentIndex(location);
        if (!allowance.isEmpty())
            window.allowanceEdit()->setText(allowance);
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        const QString shown = window.statusLabel()->text();
        QVERIFY2(shown.startsWith(status) && shown.isEmpty() == status.isEmpty(), qPrintable(shown));
        for (const QString& line : checks)
            QVERIFY2(window.checksLabel()->text().contains(line), qPrintable(window.checksLabel()->text()));
        const bool stored = status.isEmpty();
        QCOMPARE(g_project.extension.value("cv.base") == "1.5,4,6", stored);
        if (stored)
            QCOMPARE(QString::fromStdString(g_project.extension.value("fill")), fill.join(','));
    }

    // Day 0 has no place on a logarithmic axis; the table lists the chosen
    // days and the pavement day.
    void chartAndTable()
    {
        ConsolidationWindow window(g_project);
        window.show();
        typeCv(window);
        typeFill(window, {"0:0", "90:3"});
        window.chosenTimesEdit()->setText(QStringLiteral("30, 365"));
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        QCOMPARE(window.chart().settlementPoints().first(), QPointF(0, 0));
        QCOMPARE(window.chart().fillPoints().last().y(), 3.0);
        // Settlement downwards from 0 at the top to 1.05 Sc (71.12 mm), the
        // fill in metres, the time to the end of the 15 years after day 90.
        const auto axis = [&](Qt::Alignment side) {
            for (QAbstractAxis* a : window.chart().chart()->axes())
                if (a->alignment() == side)
                    return qobject_cast<QValueAxis*>(a);
            return static_cast<QValueAxis*>(nullptr);
        };
        QValueAxis* mm = axis(Qt::AlignLeft);
        QValueAxis* metres = axis(Qt::AlignRight);
        QValueAxis* days = axis(Qt::AlignBottom);
        QVERIFY(mm && metres && days);
        QCOMPARE(mm->min(), 0.0);
        // 1.05 Sc, rounded up to the axis's round ticks
        QVERIFY(mm->max() >= 1.05 * g_project.settlementByCriterion());
        QVERIFY(mm->max() < 1.5 * g_project.settlementByCriterion());
        QVERIFY(mm->isReverse());
        QCOMPARE(metres->min(), 0.0);
        QCOMPARE(metres->max(), 3.0);
        QCOMPARE(days->min(), 0.0);
        QVERIFY(days->max() >= 90.0 + 15 * 365 && days->max() < 1.5 * (90.0 + 15 * 365));
        QVERIFY(window.chart().titleText().contains(QStringLiteral("工后沉降 53.38 mm")));
        QCOMPARE(window.timeTable()->rowCount(), 3);
        QCOMPARE(window.timeTable()->item(0, 0)->text(), QStringLiteral("30"));
        QCOMPARE(window.timeTable()->item(1, 0)->text(), QStringLiteral("90"));
        QCOMPARE(window.timeTable()->item(1, 2)->text(), QStringLiteral("5.93"));
        for (const QAbstractAxis* axis : window.chart().chart()->axes()) {
            const auto* values = static_cast<const QValueAxis*>(axis);
            QVERIFY2(isRoundStep((values->max() - values->min()) / (values->tickCount() - 1)),
                     qPrintable(axis->titleText()));
        }
        QCOMPARE(static_cast<const QValueAxis*>(window.chart().chart()->axes(Qt::Vertical).last())->min(), 0.0);
        window.logTimeCheck()->setChecked(true);
        QVERIFY(window.chart().logTime());
        QVERIFY(window.chart().settlementPoints().first().x() > 0);
    }
};

QTEST_MAIN(ConsolidationWindowTest)
#include "consolidation_window_test.moc"
