// The soil layer forms as the settlement form opens them: the layer-by-layer
// entry of a zone with its thickness checks, the layer table with its row
// editing and sum checks, and the result form.
#include "settlement_driver.h"

#include "forms/settlement/settlement_dialog.h"
#include "forms/settlement/settlement_result_dialog.h"
#include "forms/settlement/soil_layer_dialog.h"
#include "forms/settlement/soil_table_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

#include <functional>

using namespace settlement_test;
using namespace testing_support;

namespace {

const QString kThickerThanRemaining = QStringLiteral("该层土厚度不应大于剩余厚度，请检查后重新输入！");
const QString kLastLayerMustFill = QStringLiteral("最后一层土的厚度应该等于剩余厚度，请检查后重新输入！");
const QString kHeightsWrong = QStringLiteral("输入的各层高度有误，请检查后重新输入！");

// A settlement form showing H = 3, L = 8.5 and the given head and shaft counts.
void openWithZones(CSettlementDialog& form, const QString& headCount, const QString& shaftCount)
{
    form.show();
    typeAll(&form, {{"headLengthEdit", "3"}, {"pileLengthEdit", "8.5"}, {"headDiameterEdit", "1"},
                    {"shaftDiameterEdit", "0.5"}, {"triangleSpacingEdit", "2"},
                    {"headLayerCountEdit", headCount}, {"shaftLayerCountEdit", shaftCount}});
}

void storeShaftLayers(std::initializer_list<double> thicknesses)
{
    int layer = 0;
    for (double thickness : thicknesses) {
        ++layer;
        g_project.shaftThickness[layer] = thickness;
        g_project.shaftSoilModulus[layer] = 4.0 + layer;
        g_project.shaftUnitWeight[layer] = 18.0 + layer;
    }
}

// Opens the shaft zone's table from the form and runs handler on it.
void withShaftTable(CSettlementDialog& form, const std::function<void(CSoilTableDialog*)>& handler)
{
    ModalWatchdog watchdog;
    watchdog.expect<CSoilTableDialog>(handler);
    click(&form, "showShaftLayersButton");
    QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
}

}  // namespace

class SoilLayersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init() { g_project = ProjectData{}; }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    // H = 3 in two layers: 1.2 leaves 1.8, which the last layer must take.
    void headZoneLastLayerTakesTheRemainder()
    {
        FakeServices services;
        CSettlementDialog form;
        openWithZones(form, "2", "1");
        ModalWatchdog watchdog;
        LayerEntryDriver head(watchdog, {{"1.2", "3", "18"}, {"1.7", "4", "18.5"}, {"1.8", "4", "18.5"}});
        click(&form, "setHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));

        QCOMPARE(head.showings.size(), 2);
        QCOMPARE(head.showings[0].layerNumber, QStringLiteral("1"));
        QCOMPARE(head.showings[0].total, QStringLiteral("3"));
        QCOMPARE(head.showings[0].remaining, QStringLiteral("3"));
        QCOMPARE(head.showings[0].okText, QStringLiteral("下一层"));
        QCOMPARE(head.showings[1].layerNumber, QStringLiteral("2"));
        QCOMPARE(head.showings[1].remaining, QStringLiteral("1.8"));
        QCOMPARE(head.showings[1].okText, QStringLiteral("完成"));
        QCOMPARE(services.texts(), QStringList{kLastLayerMustFill});
        QCOMPARE(g_project.headThickness[2], 1.8);
        QCOMPARE(g_project.headUnitWeight[2], 18.5);
        form.reject();
    }

    // What one layer of a zone of H = 3 accepts; a refused entry stays open.
    void layerThicknessChecks_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("thickness");
        QTest::addColumn<QString>("refusal");
        QTest::addRow("thicker than remaining") << "2" << "3.5" << kThickerThanRemaining;
        QTest::addRow("thicker within the tolerance") << "1" << "3.00000005" << QString();
        QTest::addRow("last layer short") << "1" << "2.9" << kLastLayerMustFill;
        QTest::addRow("thickness not a number") << "1" << "3 x" << QStringLiteral("请输入一个数字。");
    }

    void layerThicknessChecks()
    {
        QFETCH(QString, count);
        QFETCH(QString, thickness);
        QFETCH(QString, refusal);
        FakeServices services;
        CSettlementDialog form;
        openWithZones(form, count, "1");
        ModalWatchdog watchdog;
        LayerEntryDriver head(watchdog, {{thickness, "3", "18"}});
        click(&form, "setHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(head.leftOpen, !refusal.isEmpty());
        const QStringList expected = refusal.isEmpty() ? QStringList{} : QStringList{refusal};
        QCOMPARE(services.texts(), expected);
        form.reject();
    }

    // Cancelling keeps the layers accepted so far and skips the sum check.
    void cancelKeepsAcceptedLayers()
    {
        FakeServices services;
        g_project.headThickness = {0.0, 9.0, 9.0, 9.0};
        g_project.headSoilModulus = {0.0, 7.0, 7.0, 7.0};
        CSettlementDialog form;
        openWithZones(form, "3", "1");
        ModalWatchdog watchdog;
        LayerEntryDriver head(watchdog, {{"1", "3", "18"}, {"", "", "", true}});
        click(&form, "setHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));

        QCOMPARE(head.showings.size(), 2);
        QCOMPARE(head.showings[1].prefilledThickness, QStringLiteral("9"));
        QCOMPARE(head.showings[1].prefilledModulus, QStringLiteral("7"));
        QCOMPARE(g_project.headThickness[1], 1.0);
        QCOMPARE(g_project.headThickness[2], 9.0);
        QCOMPARE(g_project.headThickness[3], 9.0);
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    // The total and the remaining thickness are shown to 0.001, while the
    // layers are summed against the unrounded H: an H of 2.0004 is entered
    // as 2 and then refused.
    void zoneTotalRoundedToThousandths()
    {
        FakeServices services;
        CSettlementDialog form;
        openWithZones(form, "1", "1");
        type(&form, "headLengthEdit", "2.0004");
        ModalWatchdog watchdog;
        LayerEntryDriver head(watchdog, {{"2", "3", "18"}});
        click(&form, "setHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));

        QCOMPARE(head.showings.size(), 1);
        QCOMPARE(head.showings[0].total, QStringLiteral("2"));
        QCOMPARE(head.showings[0].remaining, QStringLiteral("2"));
        QVERIFY(!head.leftOpen);
        QCOMPARE(g_project.headThickness[1], 2.0);
        QCOMPARE(services.texts(), QStringList{kHeightsWrong});
        form.reject();
    }

    // With no layer to enter, the empty zone does not add up to H.
    void zeroCountGivesTheHeightMessage()
    {
        FakeServices services;
        CSettlementDialog form;
        openWithZones(form, "0", "1");
        click(&form, "setHeadLayersButton");
        QCOMPARE(services.texts(), QStringList{kHeightsWrong});
        form.reject();
    }

    // Every base layer but the last is typed freely; cancelling one keeps
    // the layers before it.
    void baseZoneEntryStopsOnCancel()
    {
        FakeServices services;
        g_project.baseThickness[2] = 7.0;
        CSettlementDialog form;
        openWithZones(form, "1", "1");
        type(&form, "baseLayerCountEdit", "3");
        ModalWatchdog watchdog;
        LayerEntryDriver base(watchdog, {{"-2", "8", "19"}, {"", "", "", true}});
        click(&form, "setBaseLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(base.showings.size(), 2);
        QCOMPARE(base.showings[1].okText, QStringLiteral("下一层"));
        QCOMPARE(g_project.baseThickness[1], -2.0);
        QCOMPARE(g_project.baseThickness[2], 7.0);
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    void tableListsTheLayersInSixDecimals()
    {
        FakeServices services;
        storeShaftLayers({2.0, 3.5});
        CSettlementDialog form;
        openWithZones(form, "1", "2");
        QStringList headers;
        QList<QStringList> rows;
        QList<int> widths;
        int fontSize = 0;
        withShaftTable(form, [&](CSoilTableDialog* table) {
            auto* list = table->findChild<QTableWidget*>("layerList");
            for (int column = 0; column < list->columnCount(); ++column)
                headers << list->horizontalHeaderItem(column)->text();
            for (int row = 0; row < list->rowCount(); ++row)
                rows << rowTexts(list, row);
            for (int column = 0; column < list->columnCount(); ++column)
                widths << list->columnWidth(column);
            fontSize = table->font().pointSize();
            table->reject();
        });
        QCOMPARE(headers, (QStringList{"层数", "土层厚度（m）", "压缩模量（MPa）", "容重（kN/m3）"}));
        QCOMPARE(rows, (QList<QStringList>{{"1", "2.000000", "5.000000", "19.000000"},
                                           {"2", "3.500000", "6.000000", "20.000000"}}));
        QCOMPARE(widths, (QList<int>{60, 120, 135, 121}));
        QCOMPARE(fontSize, 12);
        form.reject();
    }

    // L - H = 5.5 in 2.0 + 3.5 closes on OK; a row changed to 2.5 is stored
    // at once and then refused by the sum check.
    void shaftTableChecksTheSumOnOk()
    {
        FakeServices services;
        storeShaftLayers({2.0, 3.5});
        CSettlementDialog form;
        openWithZones(form, "1", "2");
        int firstResult = -1;
        withShaftTable(form, [&](CSoilTableDialog* table) {
            click(table, "okButton");
            firstResult = table->result();
        });
        QCOMPARE(firstResult, int(QDialog::Accepted));

        bool stayedOpen = false;
        withShaftTable(form, [&](CSoilTableDialog* table) {
            clickRow(table->findChild<QTableWidget*>("layerList"), 0);
            type(table, "thicknessEdit", "2.5");
            click(table, "okButton");
            stayedOpen = table->isVisible();
            click(table, "cancelButton");
        });
        QVERIFY(stayedOpen);
        QCOMPARE(services.texts(),
                 QStringList{QStringLiteral("各层土厚度求和后不等于下部桩体高度h-H，请调整各层土厚度！")});
        QCOMPARE(g_project.shaftThickness[1], 2.5);
        form.reject();
    }

    // A clicked row fills the boxes; "修改" stores them into that layer, and
    // goes on changing the same layer after the list is refilled.
    void modifyChangesTheClickedLayer()
    {
        FakeServices services;
        storeShaftLayers({2.0, 3.5});
        CSettlementDialog form;
        openWithZones(form, "1", "2");
        QStringList loaded;
        QStringList secondRow;
        withShaftTable(form, [&](CSoilTableDialog* table) {
            auto* list = table->findChild<QTableWidget*>("layerList");
            click(table, "modifyButton");
            clickRow(list, 1);
            loaded = {boxText(table, "thicknessEdit"), boxText(table, "soilModulusEdit"), boxText(table, "unitWeightEdit")};
            type(table, "soilModulusEdit", "6.5");
            click(table, "modifyButton");
            type(table, "unitWeightEdit", "19.5");
            click(table, "modifyButton");
            secondRow = rowTexts(list, 1);
            click(table, "cancelButton");
        });
        QCOMPARE(loaded, (QStringList{"3.5", "6", "20"}));
        QCOMPARE(secondRow, (QStringList{"2", "3.500000", "6.500000", "19.500000"}));
        QCOMPARE(services.texts(), (QStringList{QStringLiteral("请先在列表中单击要修改的地方！"),
                                                QStringLiteral("修改成功！"), QStringLiteral("修改成功！")}));
        QCOMPARE(g_project.shaftUnitWeight[1], 19.0);
        form.reject();
    }

    // A box that cannot be read stops the click: the row is not loaded and
    // no layer is chosen for "修改".
    void clickWithAnUnreadableBoxLoadsNothing()
    {
        FakeServices services;
        storeShaftLayers({2.0, 3.5});
        CSettlementDialog form;
        openWithZones(form, "1", "2");
        QString thickness;
        int selectedLayer = 0;
        withShaftTable(form, [&](CSoilTableDialog* table) {
            type(table, "unitWeightEdit", "19kN");
            clickRow(table->findChild<QTableWidget*>("layerList"), 1);
            thickness = boxText(table, "thicknessEdit");
            selectedLayer = table->selectedLayer;
            click(table, "cancelButton");
        });
        QCOMPARE(thickness, QStringLiteral("0"));
        QCOMPARE(selectedLayer, -1);
        QCOMPARE(services.texts(), QStringList{QStringLiteral("请输入一个数字。")});
        form.reject();
    }

    // The base zone has no prescribed depth: its table closes on OK whatever
    // its layers add up to.
    void baseTableClosesWithoutASumCheck()
    {
        FakeServices services;
        g_project.headThickness[1] = 3.0;
        g_project.shaftThickness[1] = 5.5;
        g_project.baseThickness[1] = 4.0;
        CSettlementDialog form;
        openWithZones(form, "1", "1");
        type(&form, "baseLayerCountEdit", "1");
        ModalWatchdog watchdog;
        QString caption;
        int result = -1;
        watchdog.expect<CSoilTableDialog>([&](CSoilTableDialog* table) {
            caption = table->windowTitle();
            clickRow(table->findChild<QTableWidget*>("layerList"), 0);
            type(table, "thicknessEdit", "6");
            click(table, "okButton");
            result = table->result();
            closeIfOpen(table);
        });
        click(&form, "showBaseLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(caption, QStringLiteral("土体的各层参数"));
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(g_project.baseThickness[1], 6.0);
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    void headTableRefusesLayersNotFillingH()
    {
        FakeServices services;
        g_project.headThickness[1] = 2.0;
        CSettlementDialog form;
        openWithZones(form, "1", "1");
        ModalWatchdog watchdog;
        watchdog.expect<CSoilTableDialog>([](CSoilTableDialog* table) {
            click(table, "okButton");
            table->reject();
        });
        click(&form, "showHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(services.texts(),
                 QStringList{QStringLiteral("各层土厚度求和后不等于扩大头高度H，请调整各层土厚度！")});
        form.reject();
    }

    // The result form: the value in its box, right-aligned like the capacity
    // results, "返回" focused, the save button hidden; Enter in the box closes
    // it as OK, changing nothing.
    void resultFormShowsTheValueAndClosesOnEnter()
    {
        FakeServices services;
        CSettlementResultDialog result;
        result.settlement = -0.5;
        result.show();
        QCOMPARE(result.windowTitle(), QStringLiteral("计算结果"));
        QCOMPARE(boxText(&result, "settlementEdit"), QStringLiteral("-0.5"));
        QVERIFY(box(&result, "settlementEdit")->alignment() & Qt::AlignRight);
        QCOMPARE(result.focusWidget(), button(&result, "returnButton"));
        QVERIFY(!button(&result, "saveToFileButton")->isVisible());

        type(&result, "settlementEdit", "12");
        QTest::keyClick(box(&result, "settlementEdit"), Qt::Key_Return);
        QVERIFY(!result.isVisible());
        QCOMPARE(result.result(), int(QDialog::Accepted));
        QCOMPARE(services.texts(), QStringList{});
    }

    // The layer number and the zone's thicknesses are shown, not asked: in
    // read-only boxes with normal (not greyed) text, which Tab passes by.
    void shownValuesAreReadOnlyAndOutOfTheTabOrder()
    {
        CSoilLayerDialog form;
        form.zone = 2;
        form.layerNumber = 2;
        form.totalThickness = 8;
        form.remainingThickness = 5;
        form.show();
        const QStringList tabbed = tabOrder(&form, "thicknessEdit");
        for (const char* name : {"layerNumberEdit", "totalThicknessEdit", "remainingThicknessEdit"}) {
            QVERIFY2(box(&form, name)->isEnabled() && box(&form, name)->isReadOnly(), name);
            QVERIFY2(!tabbed.contains(QLatin1String(name)), name);
        }
        QCOMPARE(boxText(&form, "remainingThicknessEdit"), QStringLiteral("5"));
    }
};

QTEST_MAIN(SoilLayersTest)
#include "soil_layers_test.moc"
