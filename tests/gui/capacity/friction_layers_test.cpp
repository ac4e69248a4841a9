// Side-friction layers entered one layer at a time and reviewed in the
// table, each opened from the capacity form's buttons.
#include "capacity_testing.h"

#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/friction_layer_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "ui/number_text.h"
#include "worked_examples.h"

#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <utility>

using namespace capacity_testing;
using namespace testing_support;

namespace {

const QString kHeadCaption = QStringLiteral("扩大头范围内桩周土参数输入");
const QString kShaftCaption = QStringLiteral("下部桩体范围内桩周土参数输入");
const QString kThickerThanRemaining = QStringLiteral("该层土厚度不应大于剩余厚度，请检查后重新输入！");
const QString kLastLayerMustFill = QStringLiteral("最后一层土的厚度应该等于剩余厚度，请检查后重新输入！");
const QString kLayerHeightsWrong = QStringLiteral("输入的各层高度有误，请检查后重新输入！");
const QString kClickRowFirst = QStringLiteral("请先在列表中单击要修改的地方！");
const QString kModified = QStringLiteral("修改成功！");
const QString kHeadTableSum = QStringLiteral("各层土厚度求和后不等于扩大头高度H，请调整各层土厚度！");
const QString kShaftTableSum = QStringLiteral("各层土厚度求和后不等于下部桩体高度h-H，请调整各层土厚度！");
const QString kEnterNumber = QStringLiteral("请输入一个数字。");

QString storedThicknesses(const LayerTable& table, int count)
{
    QStringList texts;
    for (int k = 1; k <= count; ++k)
        texts << ui::formatDouble(table[k]);
    return texts.join(QLatin1Char(' '));
}

// Every row of the list, its cells joined by "|".
QStringList listRows(const QTableWidget* list)
{
    QStringList rows;
    for (int row = 0; row < list->rowCount(); ++row)
        rows << rowTexts(list, row).join(QLatin1Char('|'));
    return rows;
}

// Head zone of H = 3 in two layers: 2.5 m with qs 10 and 0.5 m with 12.25.
void storeTwoHeadLayers()
{
    g_project = capacityExample();
    g_project.headLength = 3;
    g_project.headLayerCount = 2;
    g_project.headThickness[1] = 2.5;
    g_project.headThickness[2] = 0.5;
    g_project.headFriction[2] = 12.25;
}

}  // namespace

class FrictionLayersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init()
    {
        g_project = ProjectData{};
        services_ = std::make_unique<FakeServices>();
    }
    void cleanup()
    {
        services_.reset();
        VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS();
    }

    void enterLayers_data()
    {
        QTest::addColumn<bool>("headZone");
        QTest::addColumn<QString>("headLength");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored");
        const QString head = kHeadCaption + QLatin1Char('|');
        const QString shaft = kShaftCaption + QLatin1Char('|');
        QTest::newRow("three head layers, two refusals")
            << true << "3" << 3 << QStringList{"1.2", "2.0", "1.0", "0.7", "0.8"}
            << QStringList{head + "1|3|3|下一层", head + "2|3|1.8|下一层", head + "3|3|0.8|完成"}
            << QStringList{kThickerThanRemaining, kLastLayerMustFill} << "1.2 1 0.8";
        QTest::newRow("one shaft layer fills L - H")
            << false << "2" << 1 << QStringList{"7.9", "8"} << QStringList{shaft + "1|8|8|完成"}
            << QStringList{kLastLayerMustFill} << "8";
        QTest::newRow("zone length rounded to 0.001 never adds up")
            << true << "2.0004" << 1 << QStringList{"2"} << QStringList{head + "1|2|2|完成"}
            << QStringList{kLayerHeightsWrong} << "2";
        QTest::newRow("excess below the tolerance accepted")
            << true << "1" << 2 << QStringList{"1.00000005", "0"}
            << QStringList{head + "1|1|1|下一层", head + "2|1|0|完成"} << QStringList{} << "1.00000005 0";
        QTest::newRow("a full layer leaves nothing for the next")
            << true << "2" << 3 << QStringList{"2", "0.1", "0", "0"}
            << QStringList{head + "1|2|2|下一层", head + "2|2|0|下一层", head + "3|2|0|完成"}
            << QStringList{kThickerThanRemaining} << "2 0 0";
        QTest::newRow("negative thickness raises the remaining")
            << true << "2" << 2 << QStringList{"-1", "3"}
            << QStringList{head + "1|2|2|下一层", head + "2|2|3|完成"} << QStringList{} << "-1 3";
        QTest::newRow("no layers in a zone of some length")
            << true << "2" << 0 << QStringList{} << QStringList{} << QStringList{kLayerHeightsWrong} << "";
        QTest::newRow("no layers in a zone of no length")
            << false << "10" << 0 << QStringList{} << QStringList{} << QStringList{} << "";
    }
    void enterLayers()
    {
        QFETCH(bool, headZone);
        QFETCH(QString, headLength);
        QFETCH(int, count);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);
        OpenCapacityForm open;
        type(&open.form, "headLengthEdit", headLength);
        type(&open.form, "pileLengthEdit", QStringLiteral("10"));
        type(&open.form, headZone ? "headLayerCountEdit" : "shaftLayerCountEdit", QString::number(count));
        ModalWatchdog watchdog;
        LayerEntryAnswers answers(typed);
        answers.awaitNextShowing(watchdog);
        click(&open.form, headZone ? "setHeadLayersButton" : "setShaftLayersButton");
        QVERIFY(!answers.unexpectedForm);
        QCOMPARE(answers.shown, shown);
        QVERIFY(answers.pending.isEmpty());
        QCOMPARE(services_->texts(), messages);
        const LayerTable& thickness = headZone ? g_project.headThickness : g_project.shaftThickness;
        QCOMPARE(storedThicknesses(thickness, count), stored);
        // Entering layers applies nothing of the form.
        QCOMPARE(g_project.headLength, 0.0);
        QCOMPARE(g_project.headLayerCount, 0);
        QCOMPARE(g_project.shaftLayerCount, 0);
    }

    // Cancelling the third of five layers keeps the two entered before and
    // the stored values of the rest, without a message.
    void cancellingKeepsEarlierLayers_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("取消") << false;
        QTest::newRow("Escape") << true;
    }
    void cancellingKeepsEarlierLayers()
    {
        QFETCH(bool, byEscape);
        for (int k = 1; k <= 5; ++k)
            g_project.headThickness[k] = 6 + k;
        OpenCapacityForm open;
        type(&open.form, "headLengthEdit", QStringLiteral("5"));
        type(&open.form, "pileLengthEdit", QStringLiteral("10"));
        type(&open.form, "headLayerCountEdit", QStringLiteral("5"));
        using Ending = LayerEntryAnswers::Ending;
        ModalWatchdog watchdog;
        LayerEntryAnswers answers({"1", "1.5"}, byEscape ? Ending::EscapeKey : Ending::CancelButton);
        answers.awaitNextShowing(watchdog);
        click(&open.form, "setHeadLayersButton");
        QCOMPARE(answers.shown.size(), 3);
        QCOMPARE(answers.offered.last(), QStringLiteral("9|0"));
        QCOMPARE(storedThicknesses(g_project.headThickness, 5), QStringLiteral("1 1.5 9 10 11"));
        QVERIFY(services_->texts().isEmpty());
    }

    // A layer refused by its check and then cancelled stays as it was.
    void refusedThenCancelledLayerStaysAsItWas()
    {
        storeTwoHeadLayers();
        OpenCapacityForm open;
        type(&open.form, "headLengthEdit", QStringLiteral("3"));
        type(&open.form, "headLayerCountEdit", QStringLiteral("2"));
        ModalWatchdog watchdog;
        LayerEntryAnswers answers({"9/99"}, LayerEntryAnswers::Ending::CancelButton);
        answers.awaitNextShowing(watchdog);
        click(&open.form, "setHeadLayersButton");
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(services_->texts(), QStringList{kThickerThanRemaining});
        QCOMPARE(g_project.headThickness[1], 2.5);
        QCOMPARE(g_project.headFriction[1], 10.0);
    }

    // A second run offers what the first stored; accepting it keeps it.
    void secondRunOffersStoredLayers()
    {
        g_project.headThickness[1] = 1.5;
        g_project.headFriction[1] = 12.25;
        g_project.headThickness[2] = 0.5;
        g_project.headFriction[2] = 20;
        OpenCapacityForm open;
        type(&open.form, "headLengthEdit", QStringLiteral("2"));
        type(&open.form, "headLayerCountEdit", QStringLiteral("2"));
        ModalWatchdog watchdog;
        LayerEntryAnswers answers({}, LayerEntryAnswers::Ending::KeepOffered);
        answers.awaitNextShowing(watchdog);
        click(&open.form, "setHeadLayersButton");
        QCOMPARE(answers.offered, (QStringList{"1.5|12.25", "0.5|20"}));
        QCOMPARE(answers.shown.last(), kHeadCaption + QStringLiteral("|2|2|0.5|完成"));
        QCOMPARE(storedThicknesses(g_project.headThickness, 2), QStringLiteral("1.5 0.5"));
        QCOMPARE(g_project.headFriction[1], 12.25);
        QVERIFY(services_->texts().isEmpty());
    }

    // The list: one row per layer of the zone, six decimals whatever the
    // locale, grid lines and whole rows selected.
    void tableListsTheZoneLayers_data()
    {
        QTest::addColumn<bool>("headZone");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("head") << true << QStringList{"1|2.500000|10.000000", "2|0.500000|12.250000"};
        QTest::newRow("shaft") << false << QStringList{"1|8.000000|-3.125000"};
    }
    void tableListsTheZoneLayers()
    {
        QFETCH(bool, headZone);
        QFETCH(QStringList, rows);
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        storeTwoHeadLayers();
        g_project.shaftFriction[1] = -3.125;
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        QStringList listed, headings;
        QList<int> widths;
        QString title, boxes;
        bool wholeRowsWithGrid = false;
        watchdog.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
            auto* list = child<QTableWidget>(table, "layerList");
            listed = listRows(list);
            for (int column = 0; column < list->columnCount(); ++column) {
                headings << list->horizontalHeaderItem(column)->text();
                widths << list->columnWidth(column);
            }
            wholeRowsWithGrid = list->showGrid() && list->selectionBehavior() == QAbstractItemView::SelectRows;
            title = table->windowTitle();
            boxes = boxText(table, "thicknessEdit") + QLatin1Char('|') + boxText(table, "frictionEdit");
            click(table, "cancelButton");
            closeIfOpen(table);
        });
        click(&open.form, headZone ? "showHeadLayersButton" : "showShaftLayersButton");
        QLocale::setDefault(previous);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(listed, rows);
        QCOMPARE(headings, (QStringList{"层数", "土层厚度（m）", "摩阻力特征值（kPa）"}));
        QCOMPARE(widths, (QList<int>{70, 120, 170}));
        QVERIFY(wholeRowsWithGrid);
        QCOMPARE(title, QStringLiteral("桩周土每层参数"));
        QCOMPARE(boxes, QStringLiteral("0|0"));
    }

    // Click a row, change it with "修改", then close with OK: the sum check
    // refuses until the layers fill the zone again; a row changed in the
    // boxes is stored by OK itself, without "修改".
    void tableChangesAClickedRow()
    {
        storeTwoHeadLayers();
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        QString clickedBoxes;
        QStringList rowsAfterModify;
        bool stayedOpen = false, closed = false;
        watchdog.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
            auto* list = child<QTableWidget>(table, "layerList");
            clickRow(list, 1);
            clickedBoxes = boxText(table, "thicknessEdit") + QLatin1Char('|') + boxText(table, "frictionEdit");
            type(table, "thicknessEdit", QStringLiteral("0.7"));
            type(table, "frictionEdit", QStringLiteral("15"));
            click(table, "modifyButton");
            rowsAfterModify = listRows(list);
            click(table, "okButton");
            stayedOpen = table->isVisible();
            type(table, "thicknessEdit", QStringLiteral("0.5"));
            click(table, "okButton");
            closed = !table->isVisible();
            closeIfOpen(table);
        });
        click(&open.form, "showHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(clickedBoxes, QStringLiteral("0.5|12.25"));
        QCOMPARE(rowsAfterModify, (QStringList{"1|2.500000|10.000000", "2|0.700000|15.000000"}));
        QVERIFY(stayedOpen);
        QVERIFY(closed);
        QCOMPARE(services_->texts(), (QStringList{kModified, kHeadTableSum}));
        QCOMPARE(g_project.headThickness[2], 0.5);
        QCOMPARE(g_project.headFriction[2], 15.0);
    }

    // OK stores the clicked row before its sum check, so "取消" after a
    // refused OK leaves the new value in the record.
    void refusedTableOkKeepsTheRowItStored()
    {
        g_project = capacityExample();
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        watchdog.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
            clickRow(child<QTableWidget>(table, "layerList"), 0);
            type(table, "thicknessEdit", QStringLiteral("7"));
            click(table, "okButton");
            click(table, "cancelButton");
            closeIfOpen(table);
        });
        click(&open.form, "showShaftLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(services_->texts(), QStringList{kShaftTableSum});
        QCOMPARE(g_project.shaftThickness[1], 7.0);
    }

    // While a box cannot be read, a click on a row only says so: the boxes
    // keep what they hold and no layer is picked for "修改".
    void clickWithUnreadableBoxPicksNoLayer()
    {
        storeTwoHeadLayers();
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        QString boxesAfterClick;
        watchdog.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
            type(table, "frictionEdit", QStringLiteral("1,5"));
            clickRow(child<QTableWidget>(table, "layerList"), 1);
            boxesAfterClick = boxText(table, "thicknessEdit") + QLatin1Char('|') + boxText(table, "frictionEdit");
            type(table, "frictionEdit", QStringLiteral("15"));
            click(table, "modifyButton");
            click(table, "cancelButton");
            closeIfOpen(table);
        });
        click(&open.form, "showHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(boxesAfterClick, QStringLiteral("0|1,5"));
        QCOMPARE(services_->texts(), (QStringList{kEnterNumber, kClickRowFirst}));
        QCOMPARE(g_project.headFriction[2], 12.25);
    }

    // Without a clicked row "修改" asks for one; a click beside the rows
    // selects nothing.
    void modifyNeedsAClickedRow_data()
    {
        QTest::addColumn<int>("layers");
        QTest::newRow("empty list") << 0;
        QTest::newRow("click beside the rows") << 2;
    }
    void modifyNeedsAClickedRow()
    {
        QFETCH(int, layers);
        storeTwoHeadLayers();
        g_project.headLayerCount = layers;
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        int rows = -1;
        watchdog.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
            auto* list = child<QTableWidget>(table, "layerList");
            rows = list->rowCount();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(10, list->viewport()->height() - 5));
            click(table, "modifyButton");
            click(table, "okButton");
            closeIfOpen(table);
        });
        click(&open.form, "showHeadLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(rows, layers);
        const QStringList expected = layers == 0 ? QStringList{kClickRowFirst, kHeadTableSum}
                                                 : QStringList{kClickRowFirst};
        QCOMPARE(services_->texts(), expected);
        QCOMPARE(g_project.headThickness[1], 2.5);
    }

private:
    std::unique_ptr<FakeServices> services_;
};

QTEST_MAIN(FrictionLayersTest)
#include "friction_layers_test.moc"
