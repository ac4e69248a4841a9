// Whole settlement flows as an engineer drives them: the worked example typed
// in zone by zone and computed under each criterion, the values shared with
// the capacity form, and a project saved here and loaded there.
#include "settlement_driver.h"

#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace settlement_test;
using namespace testing_support;

namespace {

const QString kLastLayerMustFill = QStringLiteral("最后一层土的厚度应该等于剩余厚度，请检查后重新输入！");

bool checked(QWidget* form, const char* radioName)
{
    return button(form, radioName)->isChecked();
}

}  // namespace

class SettlementWorkflowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init() { g_project = ProjectData{}; }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void workedExampleEnteredLayerByLayer_data()
    {
        QTest::addColumn<QByteArray>("criterionRadio");
        QTest::addColumn<int>("stopCriterion");
        QTest::addColumn<QString>("settlement");
        QTest::addRow("deformation ratio") << QByteArray("deformationRatioRadio") << 0 << QStringLiteral("71.12");
        QTest::addRow("stress ratio 0.2") << QByteArray("stressRatio02Radio") << 1 << QStringLiteral("45.73");
        QTest::addRow("stress ratio 0.1") << QByteArray("stressRatio01Radio") << 2 << QStringLiteral("63.9");
    }

    void workedExampleEnteredLayerByLayer()
    {
        QFETCH(QByteArray, criterionRadio);
        QFETCH(int, stopCriterion);
        QFETCH(QString, settlement);
        FakeServices services;
        CSettlementDialog form;
        form.layout = 0;
        form.show();
        typeWorkedExample(&form);
        click(&form, criterionRadio.constData());

        ModalWatchdog watchdog;
        LayerEntryDriver head(watchdog, {{"2", "3.0", "18"}});
        click(&form, "setHeadLayersButton");
        LayerEntryDriver shaft(watchdog, {{"4", "4", "18.5"}, {"3.5", "6", "19"}, {"4", "6", "19"}});
        click(&form, "setShaftLayersButton");
        LayerEntryDriver base(watchdog, {{"3", "8", "19"}, {"5", "10", "19.5"}, {"", "15", "20"}});
        click(&form, "setBaseLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(services.texts(), QStringList{kLastLayerMustFill});

        QCOMPARE(head.showings.size(), 1);
        QCOMPARE(head.showings[0].caption, QStringLiteral("扩大头范围内桩周土参数输入"));
        QCOMPARE(head.showings[0].okText, QStringLiteral("完成"));
        QCOMPARE(head.showings[0].remaining, QStringLiteral("2"));
        QCOMPARE(shaft.showings.size(), 2);
        QCOMPARE(shaft.showings[0].caption, QStringLiteral("下部桩体范围内桩周土参数输入"));
        QCOMPARE(shaft.showings[0].okText, QStringLiteral("下一层"));
        QCOMPARE(shaft.showings[0].total, QStringLiteral("8"));
        QCOMPARE(shaft.showings[1].remaining, QStringLiteral("4"));
        QCOMPARE(shaft.showings[1].okText, QStringLiteral("完成"));
        QCOMPARE(base.showings.size(), 3);
        for (const LayerShowing& showing : base.showings) {
            QCOMPARE(showing.caption, QStringLiteral("桩端下部未加固土层参数输入"));
            QVERIFY(!showing.totalsVisible);
        }
        QVERIFY(base.showings[1].thicknessVisible);
        QVERIFY(!base.showings[2].thicknessVisible);
        QVERIFY(base.showings[2].infiniteVisible);
        QCOMPARE(base.showings[2].infiniteText, QStringLiteral("无穷大"));
        QCOMPARE(g_project.baseThickness[3], 1000.0);
        QCOMPARE(g_project.shaftSoilModulus[2], 6.0);

        services.clearShown();
        QCOMPARE(computeSettlement(&form), settlement);
        QCOMPARE(services.texts(), QStringList{});
        QCOMPARE(g_project.stopCriterion, stopCriterion);
        QCOMPARE(g_project.layoutType, kLayoutSquare);
        QVERIFY(qAbs(g_project.equivalentDiameter - 2.26) < 1e-12);
        form.reject();
    }

    // The settlement form applies the shared values and the capacity form,
    // opened next, shows them.
    void settlementValuesReachTheCapacityForm()
    {
        FakeServices services;
        storeWorkedExampleLayers();
        {
            CSettlementDialog form;
            form.show();
            click(&form, "rectangleRadio");
            typeAll(&form, workedExampleForm());
            typeAll(&form, {{"longitudinalSpacingEdit", "1.2"}, {"transverseSpacingEdit", "1.5"}});
            QVERIFY(!computeSettlement(&form).isEmpty());
            form.reject();
        }
        CCapacityDialog capacity;
        capacity.layout = 0;
        capacity.show();
        QCOMPARE(boxText(&capacity, "headDiameterEdit"), QStringLiteral("1"));
        QCOMPARE(boxText(&capacity, "shaftDiameterEdit"), QStringLiteral("0.5"));
        QCOMPARE(boxText(&capacity, "headLengthEdit"), QStringLiteral("2"));
        QCOMPARE(boxText(&capacity, "pileLengthEdit"), QStringLiteral("10"));
        QCOMPARE(boxText(&capacity, "headLayerCountEdit"), QStringLiteral("1"));
        QCOMPARE(boxText(&capacity, "shaftLayerCountEdit"), QStringLiteral("2"));
        QVERIFY(checked(&capacity, "rectangleRadio"));
        QCOMPARE(boxText(&capacity, "longitudinalSpacingEdit"), QStringLiteral("1.2"));
        QCOMPARE(boxText(&capacity, "transverseSpacingEdit"), QStringLiteral("1.5"));
        QCOMPARE(services.texts(), QStringList{});
        capacity.reject();
    }

    // What the capacity form applies, the settlement form opens with; its
    // spacing boxes follow the layout shown.
    void capacityValuesReachTheSettlementForm()
    {
        FakeServices services;
        {
            CCapacityDialog capacity;
            capacity.show();
            typeAll(&capacity, {{"headDiameterEdit", "1.2"}, {"shaftDiameterEdit", "0.6"},
                                {"headLengthEdit", "3"}, {"pileLengthEdit", "12"},
                                {"headLayerCountEdit", "2"}, {"shaftLayerCountEdit", "3"}});
            click(&capacity, "squareRadio");
            type(&capacity, "squareSpacingEdit", "1.8");
            ModalWatchdog watchdog;
            watchdog.expect<CFrictionTableDialog>([](CFrictionTableDialog* table) { table->reject(); });
            click(&capacity, "showHeadLayersButton");
            QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
            capacity.reject();
        }
        CSettlementDialog form;
        form.layout = 0;
        form.show();
        QCOMPARE(boxText(&form, "headDiameterEdit"), QStringLiteral("1.2"));
        QCOMPARE(boxText(&form, "shaftDiameterEdit"), QStringLiteral("0.6"));
        QCOMPARE(boxText(&form, "headLengthEdit"), QStringLiteral("3"));
        QCOMPARE(boxText(&form, "pileLengthEdit"), QStringLiteral("12"));
        QCOMPARE(boxText(&form, "headLayerCountEdit"), QStringLiteral("2"));
        QCOMPARE(boxText(&form, "shaftLayerCountEdit"), QStringLiteral("3"));
        QVERIFY(checked(&form, "squareRadio"));
        QCOMPARE(boxText(&form, "squareSpacingEdit"), QStringLiteral("1.8"));
        QVERIFY(box(&form, "squareSpacingEdit")->isEnabled());
        QVERIFY(!box(&form, "triangleSpacingEdit")->isEnabled());
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    // Saved from the settlement form, loaded into a fresh record through the
    // capacity form, then computed again in a new settlement form.
    void savedHereLoadedInTheCapacityForm()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("路堤.txt"));
        FakeServices services;
        services.answerFileDialogs({path, path});
        storeWorkedExampleLayers();
        {
            CSettlementDialog form;
            form.show();
            typeWorkedExample(&form);
            click(&form, "stressRatio01Radio");
            click(&form, "saveFileButton");
            form.reject();
        }
        QCOMPARE(services.texts(),
                 QStringList{QStringLiteral("保存成功！请不要手动修改文件以免本程序无法正常读取！")});

        g_project = ProjectData{};
        {
            CCapacityDialog capacity;
            capacity.show();
            click(&capacity, "loadButton");
            QCOMPARE(boxText(&capacity, "headDiameterEdit"), QStringLiteral("1"));
            QVERIFY(checked(&capacity, "squareRadio"));
            QVERIFY(box(&capacity, "squareSpacingEdit")->isEnabled());
            capacity.reject();
        }
        QCOMPARE(g_project.baseThickness[3], 1000.0);
        QCOMPARE(g_project.embankmentTopWidth, 10.0);

        CSettlementDialog form;
        form.show();
        QCOMPARE(boxText(&form, "fillUnitWeightEdit"), QStringLiteral("19"));
        QCOMPARE(boxText(&form, "baseLayerCountEdit"), QStringLiteral("3"));
        QVERIFY(checked(&form, "stressRatio01Radio"));
        QCOMPARE(computeSettlement(&form), QStringLiteral("63.9"));
        QCOMPARE(services.texts().size(), 1);
        form.reject();
    }
};

QTEST_MAIN(SettlementWorkflowTest)
#include "settlement_workflow_test.moc"
