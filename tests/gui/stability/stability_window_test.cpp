// The "稳定验算" window as an engineer uses it: opened from either input
// form, the strengths typed beside the layers and the fill, τp, the margin,
// q and the required factor; the factors and the verdict as the engine and
// the assessment give them, the slices, the drawing; refused inputs named by
// their label, never stored; the inputs kept in the project file.
#include "engine/stability.h"
#include "forms/capacity/capacity_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "forms/stability/section_drawing.h"
#include "forms/stability/stability_window.h"
#include "support/widgets.h"
#include "ui/number_text.h"
#include "worked_examples.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace testing_support;
using stability::StabilityWindow;

namespace {

StabilityWindow* openedWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<StabilityWindow*>(widget))
            return window;
    return nullptr;
}

void setCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->setItem(row, column, new QTableWidgetItem(text));
}

// The worked example's strengths, row by row of the table: the fill, the
// head layer, two shaft layers and three base layers.
const QStringList kC{"15", "15", "6", "20", "30", "35", "40"};
const QStringList kPhi{"28", "10", "3", "12", "18", "20", "22"};

void typeStrengths(StabilityWindow& w)
{
    for (int row = 0; row < kC.size(); ++row) {
        setCell(w.strengthTable(), row, 4, kC[row]);
        setCell(w.strengthTable(), row, 5, kPhi[row]);
    }
    w.pileShearEdit()->setText(QStringLiteral("120"));
}

// The engine's factor of the worked example with its strengths, as the
// window shows factors.
QString engineFactor(double surcharge)
{
    ProjectData p = settlementExample();
    for (const auto& [key, value] : {std::pair{"c.head", "15"}, {"phi.head", "10"}, {"c.shaft", "6,20"},
                                     {"phi.shaft", "3,12"}, {"c.base", "30,35,40"}, {"phi.base", "18,20,22"},
                                     {"c.fill", "15"}, {"phi.fill", "28"}, {"pileShear", "120"}})
        p.extension.set(key, value);
    p.deriveEquivalentDiameter();
    const StabilityOutcome outcome = stabilityOutcome(p, surcharge);
    return outcome.result ? ui::formatResult(outcome.result->factor, 3) : QStringLiteral("none");
}

void pressEnterIn(QWidget* box)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class StabilityWindowTest : public QObject {
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
        g_project.deriveEquivalentDiameter();
        QSettings().clear();
    }

    void cleanup()
    {
        delete openedWindow();
        VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS();
    }

    void openedFromBothForms_data()
    {
        QTest::addColumn<bool>("settlementForm");
        QTest::newRow("capacityForm") << false;
        QTest::newRow("settlementForm") << true;
    }

    // Over the modal form as the main window runs it: typing lands in the
    // window, not in the form's focused box; a second press brings the open
    // one to the front; Esc closes it; it goes with the form.
    void openedFromBothForms()
    {
        QFETCH(bool, settlementForm);
        std::unique_ptr<QDialog> form;
        if (settlementForm)
            form = std::make_unique<CSettlementDialog>();
        else
            form = std::make_unique<CCapacityDialog>();
        form->setWindowModality(Qt::ApplicationModal);
        form->show();
        QLineEdit* formBox = box(form.get(), "headDiameterEdit");
        const QString formText = formBox->text();
        click(form.get(), "stabilityButton");
        QPointer<StabilityWindow> window = openedWindow();
        QVERIFY(window);
        QVERIFY2(QTest::qWaitForWindowActive(window), "the window is not the active window over its form");
        QCOMPARE(window->strengthTable()->rowCount(), 7);
        window->pileShearEdit()->setFocus();
        for (const char key : {'1', '8', '0'})
            QTest::keyClick(QGuiApplication::focusWindow(), key);
        QCOMPARE(window->pileShearEdit()->text(), QStringLiteral("180"));
        QCOMPARE(formBox->text(), formText);
        click(form.get(), "stabilityButton");
        QCOMPARE(form->findChildren<StabilityWindow*>().size(), 1);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "Esc did not close the window");
        QVERIFY(form->isVisible());
        click(form.get(), "stabilityButton");
        window = openedWindow();
        form->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!window, "the window outlived its form");
    }

    void enterComputesTheEnginesFactor_data()
    {
        QTest::addColumn<QString>("surcharge");
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("noRequiredFactor") << "0" << "" << "；未给出要求的安全系数[F]，不作验算。";
        QTest::newRow("met") << "0" << "1.3" << " ≥ [F] = 1.3：满足";
        QTest::newRow("notMet") << "0" << "2" << " < [F] = 2：不满足";
        QTest::newRow("surcharge") << "40" << "1.1" << " ≥ [F] = 1.1：满足";
    }

    void enterComputesTheEnginesFactor()
    {
        QFETCH(QString, surcharge);
        QFETCH(QString, required);
        QFETCH(QString, verdict);
        StabilityWindow window(g_project);
        window.show();
        typeStrengths(window);
        window.surchargeEdit()->setText(surcharge);
        window.requiredEdit()->setText(required);
        pressEnterIn(window.requiredEdit());
        QCOMPARE(window.statusLabel()->text(), QString());
        const QString factor = engineFactor(surcharge.toDouble());
        const QString line = QStringLiteral("整体稳定安全系数 F = %1（").arg(factor);
        QVERIFY2(window.factorsLabel()->text().contains(line), qPrintable(window.factorsLabel()->text() + " / " + factor));
        QVERIFY2(window.factorsLabel()->text().contains(verdict), qPrintable(window.factorsLabel()->text()));
        QVERIFY(window.sliceTable()->rowCount() > 0);
        QCOMPARE(window.drawing().circlesDrawn(), 2);
        QVERIFY(window.drawing().pilesDrawn() > 0);
        QCOMPARE(g_project.extension.value("c.shaft"), std::string("6,20"));
        QCOMPARE(QString::fromStdString(g_project.extension.value("stabilityRequired")), required);
    }

    void refusalNamesTheBoxAndClearsTheResults_data()
    {
        QTest::addColumn<int>("row");     // of the strength table, or -1 for a box
        QTest::addColumn<int>("column");  // 4 for c, 5 for φ; or the box: 0 τp, 1 margin, 2 q, 3 [F]
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("stored");
        QTest::newRow("head c negative") << 1 << 4 << "-1" << "扩大头段各层的c：黏聚力c应为每层一个不小于0的数（kPa）（共1层）！" << false;
        QTest::newRow("head c zero") << 1 << 4 << "0" << "" << true;
        QTest::newRow("fill phi ninety") << 0 << 5 << "90" << "填土的φ：填土内摩擦角φ应为不小于0且小于90的数（°）！" << false;
        QTest::newRow("base phi two numbers") << 5 << 5 << "20,5" << "桩端以下各层的φ：每格只填一个数（小数点用“.”）！" << false;
        QTest::newRow("shaft phi missing")
            << 2 << 5 << "" << "下部桩段各层的φ：第1层未给出内摩擦角φ，无法计算！" << false;
        QTest::newRow("pile shear negative") << -1 << 0 << "-1" << "桩体抗剪强度τp (kPa)：桩体抗剪强度τp应为不小于0的数（kPa）！" << false;
        QTest::newRow("pile shear missing")
            << -1 << 0 << "" << "未能验算：加固区的抗剪强度需桩体抗剪强度τp，未给出（桩体抗剪强度τp (kPa)）！" << true;
        QTest::newRow("margin not a number") << -1 << 1 << "x" << "加固区超出坡脚 (m)：加固区超出坡脚的宽度应为一个数（m，负数表示止于坡脚以内）！" << false;
        QTest::newRow("surcharge negative") << -1 << 2 << "-5" << "附加荷载q (kPa)：附加荷载q应为不小于0的数！" << false;
        QTest::newRow("required below one") << -1 << 3 << "0.99" << "要求的安全系数[F]：稳定安全系数要求应为不小于1的数！" << false;
        QTest::newRow("required one") << -1 << 3 << "1" << "" << true;
    }

    void refusalNamesTheBoxAndClearsTheResults()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, status);
        QFETCH(bool, stored);
        StabilityWindow window(g_project);
        window.show();
        typeStrengths(window);
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        QVERIFY(window.sliceTable()->rowCount() > 0);
        const ProjectExtension before = g_project.extension;
        if (row >= 0) {
            setCell(window.strengthTable(), row, column, typed);
        } else {
            QLineEdit* boxes[] = {window.pileShearEdit(), window.marginEdit(), window.surchargeEdit(), window.requiredEdit()};
            boxes[column]->setText(typed);
        }
        QTest::mouseClick(window.computeButton(), Qt::LeftButton);
        QCOMPARE(window.statusLabel()->text(), status);
        QCOMPARE(window.sliceTable()->rowCount() > 0, status.isEmpty());
        QCOMPARE(window.drawing().circlesDrawn() > 0, status.isEmpty());
        QCOMPARE(window.factorsLabel()->text().isEmpty(), !status.isEmpty());
        QCOMPARE(g_project.extension == before, !stored);
    }

    // Stored in the project's extension block, written to the file and read
    // back into a window opened on the reloaded project; q remembered.
    void valuesSurviveSaveAndReopen()
    {
        {
            StabilityWindow window(g_project);
            typeStrengths(window);
            window.marginEdit()->setText(QStringLiteral("1.5"));
            window.requiredEdit()->setText(QStringLiteral("1.25"));
            window.surchargeEdit()->setText(QStringLiteral("25"));
            QTest::mouseClick(window.computeButton(), Qt::LeftButton);
            QCOMPARE(window.statusLabel()->text(), QString());
        }
        const QTemporaryDir folder;
        const std::string path = folder.filePath(QStringLiteral("job.txt")).toStdString();
        QVERIFY(g_project.saveProject(path, fixedSaveTime()).ok);
        g_project = ProjectData{};
        QVERIFY(g_project.loadProject(path).ok);
        StabilityWindow reopened(g_project);
        for (int row = 0; row < kC.size(); ++row) {
            QCOMPARE(reopened.strengthTable()->item(row, 4)->text(), kC[row]);
            QCOMPARE(reopened.strengthTable()->item(row, 5)->text(), kPhi[row]);
        }
        QCOMPARE(reopened.pileShearEdit()->text(), QStringLiteral("120"));
        QCOMPARE(reopened.marginEdit()->text(), QStringLiteral("1.5"));
        QCOMPARE(reopened.requiredEdit()->text(), QStringLiteral("1.25"));
        // q is the engineer's demand, not the project's: remembered as the
        // design window remembers it.
        QCOMPARE(reopened.surchargeEdit()->text(), QStringLiteral("25"));
    }

private:
    QTemporaryDir settingsFolder_;
};

QTEST_MAIN(StabilityWindowTest)
#include "stability_window_test.moc"
