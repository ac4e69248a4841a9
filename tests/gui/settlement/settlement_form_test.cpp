// The settlement form on its own: what it opens with, what it refuses before
// anything reaches the record, what it computes and shows, its layout radios,
// and its save and load buttons.
#include "settlement_driver.h"

#include "forms/settlement/settlement_dialog.h"
#include "forms/settlement/soil_layer_dialog.h"
#include "forms/settlement/soil_table_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace settlement_test;
using namespace testing_support;

namespace {

const QString kCountsMissing = QStringLiteral("请输入桩周土分层数，并设置每层土的参数！");
const QString kCountOutOfRange = QStringLiteral("土体分层数应在0～49之间，请检查后重新输入！");
const QString kWrongParameters = QStringLiteral("输入的参数有误，请检查后重新计算！");

// The worked example: its layers in the record, its form values typed.
void fillWorkedExample(QWidget* form)
{
    storeWorkedExampleLayers();
    typeWorkedExample(form);
}

}  // namespace

class SettlementFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init() { g_project = ProjectData{}; }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void freshStartOpensOnZerosWithTheFirstChoices()
    {
        FakeServices services;
        CSettlementDialog form;
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("沉降计算参数输入"));
        QCOMPARE(form.font().pointSize(), 9);
        for (QLineEdit* edit : form.findChildren<QLineEdit*>())
            QCOMPARE(edit->text(), QStringLiteral("0"));
        QVERIFY(button(&form, "triangleRadio")->isChecked());
        QVERIFY(button(&form, "deformationRatioRadio")->isChecked());
        QCOMPARE(button(&form, "deformationRatioRadio")->text(), QStringLiteral("ΔSn < 0.025ΣSi （变形比法）"));
        QCOMPARE(button(&form, "stressRatio02Radio")->text(), QStringLiteral("σz < 0.2σc （应力比法）"));
        QCOMPARE(button(&form, "stressRatio01Radio")->text(),
                 QStringLiteral("σz < 0.1σc （应力比法，下有高压缩性土层）"));
        QCOMPARE(enabledSpacings(&form), QStringLiteral("1000"));
        QCOMPARE(form.focusWidget(), box(&form, "fillHeightEdit"));
        QVERIFY(form.findChild<QSvgWidget*>("sectionPicture")->renderer()->isValid());

        QCOMPARE(computeSettlement(&form), QString());
        QCOMPARE(services.texts(), QStringList{kCountsMissing});
        form.reject();
    }

    void tabOrderFollowsTheRows()
    {
        CSettlementDialog form;
        QCOMPARE(tabOrder(&form, "fillHeightEdit"), (QStringList{
            "fillHeightEdit", "fillUnitWeightEdit", "slopeNEdit", "slopeMEdit", "topWidthEdit",
            "headDiameterEdit", "shaftDiameterEdit", "headLengthEdit", "pileLengthEdit",
            "headPileModulusEdit", "shaftPileModulusEdit", "headLayerCountEdit", "setHeadLayersButton",
            "shaftLayerCountEdit", "setShaftLayersButton", "baseLayerCountEdit", "setBaseLayersButton",
            "triangleRadio", "squareRadio", "rectangleRadio", "triangleSpacingEdit", "squareSpacingEdit",
            "longitudinalSpacingEdit", "transverseSpacingEdit", "deformationRatioRadio", "stressRatio02Radio",
            "stressRatio01Radio", "loadFileButton", "saveFileButton", "computeSettlementButton", "returnButton",
            "showHeadLayersButton", "showShaftLayersButton", "showBaseLayersButton", "soilProfileButton",
            "exportReportButton", "projectInfoButton"}));
    }

    // Each refusal shows one message and leaves the record as it was, except
    // a missing spacing, which comes after the geometry was copied.
    void refusedBeforeComputing_data()
    {
        QTest::addColumn<QByteArray>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("geometryApplied");
        const auto row = [](const char* name, const char* boxName, const char* typed, const QString& expected,
                            bool applied = false) {
            QTest::newRow(name) << QByteArray(boxName) << QString::fromLatin1(typed) << expected << applied;
        };
        row("pile shorter than head", "pileLengthEdit", "1.5",
            QStringLiteral("输入的桩长H或h有误，请检查后重新输入！"));
        row("head narrower than shaft", "headDiameterEdit", "0.4",
            QStringLiteral("输入的桩径D或d有误，请检查后重新输入！"));
        row("n1 above 49", "headLayerCountEdit", "50", kCountOutOfRange);
        row("n2 below 0", "shaftLayerCountEdit", "-1", kCountOutOfRange);
        row("n3 above 49", "baseLayerCountEdit", "50", kCountOutOfRange);
        row("n3 below 0", "baseLayerCountEdit", "-2", kCountOutOfRange);
        row("n1 zero", "headLayerCountEdit", "0", kCountsMissing);
        row("n2 zero", "shaftLayerCountEdit", "0", kCountsMissing);
        row("crest width not a number", "topWidthEdit", "abc", QStringLiteral("请输入一个数字。"));
        row("layer count not whole", "baseLayerCountEdit", "1.5", QStringLiteral("请输入一个整数。"));
        row("no spacing", "squareSpacingEdit", "0", QStringLiteral("请输入桩间距！"), true);
    }

    void refusedBeforeComputing()
    {
        QFETCH(QByteArray, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(bool, geometryApplied);
        FakeServices services;
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        type(&form, boxName.constData(), typed);

        QCOMPARE(computeSettlement(&form), QString());
        QCOMPARE(services.texts(), QStringList{expected});
        QCOMPARE(g_project.pileLength, geometryApplied ? 10.0 : 0.0);
        QCOMPARE(g_project.layoutType, kLayoutTriangle);
        form.reject();
    }

    // Accepted edges of the checks, with the settlement they give.
    void computedAtTheEdges_data()
    {
        QTest::addColumn<QList<Typed>>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addRow("n3 zero sums the reinforced zones")
            << QList<Typed>{{"baseLayerCountEdit", "0"}} << QStringLiteral("40.93");
        QTest::addRow("D equal to d")
            << QList<Typed>{{"shaftDiameterEdit", "1.0"}} << QString();
        QTest::addRow("L equal to H")
            << QList<Typed>{{"pileLengthEdit", "2"}} << QString();
        // Finite however large: shown, although a hundredfold would overflow.
        QTest::addRow("fill so heavy the settlement nears the largest double")
            << QList<Typed>{{"fillUnitWeightEdit", "2.67e306"}} << QStringLiteral("9.99437475583706e+306");
    }

    void computedAtTheEdges()
    {
        QFETCH(QList<Typed>, typed);
        QFETCH(QString, expected);
        FakeServices services;
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        typeAll(&form, typed);

        const QString shown = computeSettlement(&form);
        QVERIFY(!shown.isEmpty());
        if (!expected.isEmpty())
            QCOMPARE(shown, expected);
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    // A settlement that is not a finite number is reported, never shown.
    void notFiniteSettlementReported_data()
    {
        QTest::addColumn<QList<Typed>>("typed");
        QTest::addColumn<double>("headThickness");
        QTest::addColumn<double>("firstBaseModulus");
        QTest::addRow("fill height zero") << QList<Typed>{{"fillHeightEdit", "0"}} << 2.0 << 8.0;
        QTest::addRow("slope zero") << QList<Typed>{{"slopeMEdit", "0"}} << 2.0 << 8.0;
        QTest::addRow("base modulus zero") << QList<Typed>{} << 2.0 << 0.0;
        QTest::addRow("head layer beyond the slicing bound") << QList<Typed>{} << 1e12 << 8.0;
    }

    void notFiniteSettlementReported()
    {
        QFETCH(QList<Typed>, typed);
        QFETCH(double, headThickness);
        QFETCH(double, firstBaseModulus);
        FakeServices services;
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        typeAll(&form, typed);
        g_project.headThickness[1] = headThickness;
        g_project.baseSoilModulus[1] = firstBaseModulus;

        QCOMPARE(computeSettlement(&form), QString());
        QCOMPARE(services.texts(), QStringList{kWrongParameters});
        form.reject();
    }

    // Finite results are shown as they come: zero without a criterion, a
    // negative settlement with its sign, cut toward zero.
    void finiteSettlementShownAsItComes()
    {
        FakeServices services;
        storeWorkedExampleLayers();
        for (LayerTable* moduli : {&g_project.headSoilModulus, &g_project.shaftSoilModulus, &g_project.baseSoilModulus})
            for (double& modulus : *moduli)
                modulus = -modulus;
        g_project.stopCriterion = 7;
        CSettlementDialog form;
        form.show();
        typeWorkedExample(&form);
        typeAll(&form, {{"headPileModulusEdit", "-150"}, {"shaftPileModulusEdit", "-120"}});
        QVERIFY(!button(&form, "deformationRatioRadio")->isChecked());
        QCOMPARE(computeSettlement(&form), QStringLiteral("0"));

        click(&form, "stressRatio02Radio");
        QCOMPARE(computeSettlement(&form), QStringLiteral("-45.72"));
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    // "返 回" reads the form and closes it; nothing reaches the record.
    void returnClosesWithoutApplying_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("messages");
        QTest::addRow("a number") << "12" << true << QStringList{};
        QTest::addRow("not a number") << "12m" << false << QStringList{QStringLiteral("请输入一个数字。")};
    }

    void returnClosesWithoutApplying()
    {
        QFETCH(QString, typed);
        QFETCH(bool, closed);
        QFETCH(QStringList, messages);
        FakeServices services;
        CSettlementDialog form;
        form.show();
        type(&form, "topWidthEdit", typed);
        QTest::keyClick(box(&form, "topWidthEdit"), Qt::Key_Return);
        QCOMPARE(!form.isVisible(), closed);
        QCOMPARE(services.texts(), messages);
        QCOMPARE(g_project.embankmentTopWidth, 0.0);
        form.reject();
    }

    void layoutRadiosSwitchTheSpacingBoxes_data()
    {
        QTest::addColumn<QByteArray>("radio");
        QTest::addColumn<QString>("enabled");
        QTest::addRow("square") << QByteArray("squareRadio") << QStringLiteral("0100");
        QTest::addRow("rectangle") << QByteArray("rectangleRadio") << QStringLiteral("0011");
        QTest::addRow("back to triangle") << QByteArray("triangleRadio") << QStringLiteral("1000");
    }

    void layoutRadiosSwitchTheSpacingBoxes()
    {
        QFETCH(QByteArray, radio);
        QFETCH(QString, enabled);
        CSettlementDialog form;
        form.show();
        click(&form, "rectangleRadio");
        click(&form, radio.constData());
        QCOMPARE(enabledSpacings(&form), enabled);
        form.reject();
    }

    void rectangleSpacingsGiveTheEquivalentDiameter()
    {
        FakeServices services;
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        click(&form, "rectangleRadio");
        typeAll(&form, {{"longitudinalSpacingEdit", "1.2"}, {"transverseSpacingEdit", "1.5"}});
        QVERIFY(!computeSettlement(&form).isEmpty());
        QVERIFY(qAbs(g_project.equivalentDiameter - 1.13 * std::sqrt(1.8)) < 1e-12);
        QCOMPARE(g_project.spacingSquare, 2.0);
        form.reject();
    }

    // The spacing boxes follow the layout the form shows, on opening and
    // after a load.
    void spacingBoxesFollowTheLayoutShown()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("square.txt"));
        g_project.layoutType = kLayoutSquare;
        QVERIFY(g_project.saveProject(path.toStdString(), std::tm{}).ok);
        g_project.layoutType = kLayoutRectangle;

        FakeServices services;
        services.answerFileDialogs({path});
        CSettlementDialog form;
        form.layout = 0;
        form.show();
        QVERIFY(button(&form, "rectangleRadio")->isChecked());
        QCOMPARE(enabledSpacings(&form), QStringLiteral("0011"));

        click(&form, "loadFileButton");
        QVERIFY(button(&form, "squareRadio")->isChecked());
        QCOMPARE(enabledSpacings(&form), QStringLiteral("0100"));
        QCOMPARE(services.texts(), QStringList{});
        form.reject();
    }

    // A refused file changes neither the record nor the boxes.
    void refusedLoadKeepsTheForm()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("broken.txt"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a project file");
        broken.close();
        g_project.embankmentTopWidth = 12.5;

        FakeServices services;
        services.answerFileDialogs({path});
        CSettlementDialog form;
        form.show();
        type(&form, "topWidthEdit", "14");
        click(&form, "loadFileButton");
        QCOMPARE(services.texts().size(), 1);
        QVERIFY(services.lastText().startsWith(QStringLiteral("载入失败！")));
        QCOMPARE(boxText(&form, "topWidthEdit"), QStringLiteral("14"));
        QCOMPARE(g_project.embankmentTopWidth, 12.5);
        form.reject();
    }

    // A save whose apply step refuses writes nothing and tells only why.
    void refusedSaveWritesNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("project.txt"));
        FakeServices services;
        services.answerFileDialogs({path});
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        type(&form, "headLayerCountEdit", "60");
        click(&form, "saveFileButton");
        QCOMPARE(services.texts(), QStringList{kCountOutOfRange});
        QVERIFY(!QFile::exists(path));
        form.reject();
    }

    // Reviewing a table applies the form first; a refusal opens nothing.
    void layerTableOpensOnlyOnAnAppliedForm()
    {
        FakeServices services;
        CSettlementDialog form;
        form.show();
        fillWorkedExample(&form);
        type(&form, "shaftLayerCountEdit", "0");
        click(&form, "showBaseLayersButton");
        QCOMPARE(services.texts(), QStringList{kCountsMissing});

        type(&form, "shaftLayerCountEdit", "2");
        ModalWatchdog watchdog;
        int zone = 0;
        watchdog.expect<CSoilTableDialog>([&zone](CSoilTableDialog* table) {
            zone = table->zone;
            table->reject();
        });
        click(&form, "showBaseLayersButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(zone, 3);
        QCOMPARE(g_project.embankmentTopWidth, 10.0);
        form.reject();
    }

    // A count the tables cannot hold stops the entry before the first layer.
    void layerEntryRefusesCountsOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("countBox");
        QTest::addColumn<QByteArray>("setButton");
        QTest::addColumn<QString>("count");
        QTest::addRow("n1 of 50") << QByteArray("headLayerCountEdit") << QByteArray("setHeadLayersButton") << "50";
        QTest::addRow("n2 of -1") << QByteArray("shaftLayerCountEdit") << QByteArray("setShaftLayersButton") << "-1";
        QTest::addRow("n3 of 99") << QByteArray("baseLayerCountEdit") << QByteArray("setBaseLayersButton") << "99";
    }

    void layerEntryRefusesCountsOutOfRange()
    {
        QFETCH(QByteArray, countBox);
        QFETCH(QByteArray, setButton);
        QFETCH(QString, count);
        FakeServices services;
        CSettlementDialog form;
        form.show();
        type(&form, countBox.constData(), count);
        ModalWatchdog watchdog;
        bool opened = false;
        watchdog.expect<CSoilLayerDialog>([&opened](CSoilLayerDialog* layer) {
            opened = true;
            layer->reject();
        }, 200);
        click(&form, setButton.constData());
        QCOMPARE(services.texts(), QStringList{kCountOutOfRange});
        QTest::qWait(300);
        QVERIFY(!opened);
        form.reject();
    }
};

QTEST_MAIN(SettlementFormTest)
#include "settlement_form_test.moc"
