// The capacity input form on its own: what it shows on opening, its enabled
// states, every refusal of its actions, and the results it shows.
#include "capacity_testing.h"

#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/capacity_result_dialog.h"
#include "forms/capacity/friction_layer_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "forms/capacity/pile_result_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "ui/number_text.h"
#include "worked_examples.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace capacity_testing;
using namespace testing_support;

namespace {

const QString kPileLengthWrong = QStringLiteral("输入的桩长H或h有误，请检查后重新输入！");
const QString kDiameterWrong = QStringLiteral("输入的桩径D或d有误，请检查后重新输入！");
const QString kLayerCountOutOfRange = QStringLiteral("土体分层数应在0～49之间，请检查后重新输入！");
const QString kEnterLayers = QStringLiteral("请输入桩周土分层数，并设置每层土的参数！");
const QString kHeadSumDiffers = QStringLiteral("各层土厚度求和后不等于扩大头高度H，请检查各层土厚度！");
const QString kShaftSumDiffers = QStringLiteral("各层土厚度求和后不等于下部桩体高度h-H，请检查各层土厚度！");
const QString kEnterSpacing = QStringLiteral("请输入桩间距！");
const QString kParametersWrong = QStringLiteral("输入的参数有误，请检查后重新计算！");
const QString kEnterNumber = QStringLiteral("请输入一个数字。");
const QString kEnterInteger = QStringLiteral("请输入一个整数。");

std::unique_ptr<QWidget> makeForm(const QString& kind)
{
    if (kind == QLatin1String("capacity"))
        return std::make_unique<CCapacityDialog>();
    if (kind == QLatin1String("layer"))
        return std::make_unique<CFrictionLayerDialog>();
    if (kind == QLatin1String("table"))
        return std::make_unique<CFrictionTableDialog>();
    if (kind == QLatin1String("pile result"))
        return std::make_unique<CPileResultDialog>();
    return std::make_unique<CCapacityResultDialog>();
}

}  // namespace

class CapacityFormTest : public QObject {
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

    void opensOnTheRecord()
    {
        g_project = capacityExample();
        g_project.spacingTriangle = 1.5;
        g_project.manualPileCapacity = 250.125;
        OpenCapacityForm open;
        const CCapacityDialog& form = open.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("承载力特征值计算参数输入"));
        QCOMPARE(boxText(&form, "headDiameterEdit"), QStringLiteral("1"));
        QCOMPARE(boxText(&form, "shaftDiameterEdit"), QStringLiteral("0.5"));
        QCOMPARE(boxText(&form, "stepBearingFactorEdit"), QStringLiteral("0.85"));
        QCOMPARE(boxText(&form, "triangleSpacingEdit"), QStringLiteral("1.5"));
        QCOMPARE(boxText(&form, "headLayerCountEdit"), QStringLiteral("1"));
        QCOMPARE(boxText(&form, "manualCapacityEdit"), QStringLiteral("250.125"));
        QVERIFY(child<QRadioButton>(&form, "squareRadio")->isChecked());
        QVERIFY(!child<QCheckBox>(&form, "manualCapacityCheck")->isChecked());
        QVERIFY(child<QPushButton>(&form, "returnButton")->isDefault());
        QCOMPARE(child<QGroupBox>(&form, "singlePileGroup")->title(), QStringLiteral("单桩承载力计算"));
        QCOMPARE(child<QGroupBox>(&form, "compositeGroup")->title(), QStringLiteral("复合地基承载力计算"));
        QVERIFY(child<QSvgWidget>(&form, "picture")->renderer()->isValid());
    }

    void tabOrderFollowsTheRows_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("capacity form")
            << QStringLiteral("capacity")
            << QStringList{"headDiameterEdit", "shaftDiameterEdit", "headLengthEdit", "pileLengthEdit",
                           "cubeStrengthEdit", "headStrengthFactorEdit", "shaftStrengthFactorEdit",
                           "stepBearingEdit", "tipBearingEdit", "stepBearingFactorEdit", "tipBearingFactorEdit",
                           "headLayerCountEdit", "setHeadLayersButton", "shaftLayerCountEdit",
                           "setShaftLayersButton", "computePileButton", "triangleRadio", "squareRadio",
                           "rectangleRadio", "triangleSpacingEdit", "squareSpacingEdit", "longitudinalSpacingEdit",
                           "transverseSpacingEdit", "soilCapacityEdit", "soilReductionEdit", "manualCapacityCheck",
                           "manualCapacityEdit", "computeCompositeButton", "projectInfoButton", "loadButton", "saveButton",
                           "returnButton", "showHeadLayersButton", "showShaftLayersButton",
                           "soilProfileButton", "exportReportButton"};
        QTest::newRow("layer form") << QStringLiteral("layer")
                                    << QStringList{"thicknessEdit", "frictionEdit", "nextButton", "cancelButton"};
        QTest::newRow("layer table") << QStringLiteral("table")
                                     << QStringList{"layerList", "thicknessEdit", "frictionEdit", "modifyButton",
                                                    "okButton", "cancelButton"};
        QTest::newRow("single-pile result") << QStringLiteral("pile result")
                                            << QStringList{"returnButton", "pileCapacityEdit", "detailsButton"};
        QTest::newRow("composite result")
            << QStringLiteral("composite result")
            << QStringList{"returnButton", "pileCapacityEdit", "compositeCapacityEdit", "detailsButton"};
    }
    void tabOrderFollowsTheRows()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, order);
        QCOMPARE(tabOrder(makeForm(form).get(), qPrintable(order.first())), order);
    }

    // Every form of the workflow keeps the size of its arrangement: the frame
    // cannot be dragged larger or smaller.
    void formsHaveAFixedSize_data()
    {
        QTest::addColumn<QString>("form");
        for (const char* kind : {"capacity", "layer", "table", "pile result", "composite result"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void formsHaveAFixedSize()
    {
        QFETCH(QString, form);
        const std::unique_ptr<QWidget> shown = makeForm(form);
        shown->show();
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        QCOMPARE(shown->size(), shown->minimumSize());
    }

    // Enter in a value box ends a result form with OK, "返回" with Cancel;
    // either way the values stay the form's own.
    void resultFormsEnd_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Enter in a value box") << true;
        QTest::newRow("返回") << false;
    }
    void resultFormsEnd()
    {
        QFETCH(bool, byEnter);
        CCapacityResultDialog result;
        result.singlePileCapacity = -1.22;
        result.compositeCapacity = 0;
        result.show();
        QCOMPARE(boxText(&result, "pileCapacityEdit"), QStringLiteral("-1.22"));
        QCOMPARE(boxText(&result, "compositeCapacityEdit"), QStringLiteral("0"));
        if (byEnter)
            QTest::keyClick(box(&result, "compositeCapacityEdit"), Qt::Key_Return);
        else
            click(&result, "returnButton");
        QVERIFY(!result.isVisible());
        QCOMPARE(result.result(), int(byEnter ? QDialog::Accepted : QDialog::Rejected));
    }

    void freshRecordShowsZerosAndTriangle()
    {
        OpenCapacityForm open;
        QCOMPARE(boxText(&open.form, "pileLengthEdit"), QStringLiteral("0"));
        QCOMPARE(boxText(&open.form, "shaftLayerCountEdit"), QStringLiteral("0"));
        QVERIFY(child<QRadioButton>(&open.form, "triangleRadio")->isChecked());
        QCOMPARE(enabledSpacings(&open.form), QStringLiteral("1000"));
        QVERIFY(!box(&open.form, "manualCapacityEdit")->isEnabled());
    }

    // The boxes that can be typed into follow the layout and the check box
    // the form opens with.
    void openingEnablesBoxesOfTheShownChoices_data()
    {
        QTest::addColumn<int>("layoutType");
        QTest::addColumn<int>("manualFlag");
        QTest::addColumn<QString>("spacings");
        QTest::newRow("triangle") << kLayoutTriangle << 0 << QStringLiteral("1000");
        QTest::newRow("square, manual capacity") << kLayoutSquare << 1 << QStringLiteral("0100");
        QTest::newRow("rectangle") << kLayoutRectangle << 0 << QStringLiteral("0011");
    }
    void openingEnablesBoxesOfTheShownChoices()
    {
        QFETCH(int, layoutType);
        QFETCH(int, manualFlag);
        QFETCH(QString, spacings);
        g_project.layoutType = layoutType;
        g_project.manualCapacityFlag = manualFlag;
        OpenCapacityForm open;
        QCOMPARE(enabledSpacings(&open.form), spacings);
        QCOMPARE(box(&open.form, "manualCapacityEdit")->isEnabled(), manualFlag == 1);
    }

    void layoutButtonsEnableTheirSpacings_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("spacings");
        QTest::newRow("square") << QStringLiteral("squareRadio") << QStringLiteral("0100");
        QTest::newRow("rectangle") << QStringLiteral("rectangleRadio") << QStringLiteral("0011");
        QTest::newRow("back to triangle") << QStringLiteral("triangleRadio") << QStringLiteral("1000");
    }
    void layoutButtonsEnableTheirSpacings()
    {
        QFETCH(QString, radio);
        QFETCH(QString, spacings);
        g_project.layoutType = kLayoutRectangle;
        OpenCapacityForm open;
        click(&open.form, "squareRadio");
        click(&open.form, qPrintable(radio));
        QCOMPARE(enabledSpacings(&open.form), spacings);
    }

    void manualCheckBoxEnablesTheCapacityBox()
    {
        OpenCapacityForm open;
        click(&open.form, "manualCapacityCheck");
        QVERIFY(box(&open.form, "manualCapacityEdit")->isEnabled());
        click(&open.form, "manualCapacityCheck");
        QVERIFY(!box(&open.form, "manualCapacityEdit")->isEnabled());
    }

    // Every refusal of an action: the message, whether the form reached the
    // record (qpb, typed as 130, tells), and that no further form opened.
    void actionsRefuse_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("applied");
        auto row = [](const char* name, const char* boxName, const char* typed, const char* button,
                      const QString& message, bool applied) {
            QTest::newRow(name) << QString::fromLatin1(boxName) << QString::fromLatin1(typed)
                                << QString::fromLatin1(button) << message << applied;
        };
        row("pile shorter than head", "pileLengthEdit", "1.5", "computePileButton", kPileLengthWrong, false);
        row("head narrower than shaft", "headDiameterEdit", "0.4", "computeCompositeButton", kDiameterWrong, false);
        row("unreadable number", "stepBearingEdit", "abc", "computePileButton", kEnterNumber, false);
        row("infinite number", "cubeStrengthEdit", "inf", "computeCompositeButton", kEnterNumber, false);
        row("fractional layer count", "headLayerCountEdit", "1.5", "computePileButton", kEnterInteger, false);
        row("50 head layers", "headLayerCountEdit", "50", "computePileButton", kLayerCountOutOfRange, false);
        row("negative shaft layers", "shaftLayerCountEdit", "-1", "computeCompositeButton",
            kLayerCountOutOfRange, false);
        row("50 layers on the table button", "headLayerCountEdit", "50", "showHeadLayersButton",
            kLayerCountOutOfRange, false);
        row("short pile on the table button", "pileLengthEdit", "1", "showShaftLayersButton", kPileLengthWrong,
            false);
        row("50 head layers to enter", "headLayerCountEdit", "50", "setHeadLayersButton", kLayerCountOutOfRange,
            false);
        row("negative shaft layers to enter", "shaftLayerCountEdit", "-3", "setShaftLayersButton",
            kLayerCountOutOfRange, false);
        row("unreadable box before entry", "headLengthEdit", "2,5", "setHeadLayersButton", kEnterNumber, false);
        row("no head layers", "headLayerCountEdit", "0", "computePileButton", kEnterLayers, true);
        row("no shaft layers", "shaftLayerCountEdit", "0", "computeCompositeButton", kEnterLayers, true);
        row("head layers short of H", "headLengthEdit", "2.5", "computePileButton", kHeadSumDiffers, true);
        row("shaft layers beyond L - H", "pileLengthEdit", "9", "computeCompositeButton", kShaftSumDiffers, true);
        row("zero spacing", "squareSpacingEdit", "0", "computeCompositeButton", kEnterSpacing, true);
        row("negative composite capacity", "soilCapacityEdit", "-1000", "computeCompositeButton", kParametersWrong,
            true);
        row("infinite single-pile capacity", "headDiameterEdit", "1e200", "computePileButton", kParametersWrong,
            true);
        row("infinite composite capacity", "headDiameterEdit", "1e200", "computeCompositeButton", kParametersWrong,
            true);
    }
    void actionsRefuse()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(bool, applied);
        g_project = capacityExample();
        OpenCapacityForm open;
        type(&open.form, "tipBearingEdit", QStringLiteral("130"));
        type(&open.form, qPrintable(boxName), typed);
        ModalWatchdog watchdog;
        bool formOpened = false;
        watchdog.expect<QDialog>([&](QDialog* opened) {
            formOpened = true;
            opened->reject();
        });
        click(&open.form, qPrintable(button));
        QVERIFY(!formOpened);
        QCOMPARE(services_->texts(), QStringList{message});
        QCOMPARE(g_project.tipBearing, applied ? 130.0 : 120.0);
        QVERIFY(open.form.isVisible());
    }

    // A huge but finite capacity is shown as the number it is, never as "inf"
    // (a hundredfold of it would overflow) and never refused.
    void hugeFiniteCapacitiesShownAsNumbers_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        // Ra about 6.7e307 from the step under a huge head; fspk about 7.2e306 from f sk.
        QTest::newRow("single pile") << QStringLiteral("headDiameterEdit") << QStringLiteral("1e153")
                                     << QStringLiteral("computePileButton");
        QTest::newRow("composite") << QStringLiteral("soilCapacityEdit") << QStringLiteral("1e307")
                                   << QStringLiteral("computeCompositeButton");
    }
    void hugeFiniteCapacitiesShownAsNumbers()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        g_project = capacityExample();
        OpenCapacityForm open;
        type(&open.form, qPrintable(boxName), typed);
        ModalWatchdog watchdog;
        QStringList shown;
        watchdog.expect<QDialog>([&](QDialog* result) {
            for (const QLineEdit* value : result->findChildren<QLineEdit*>())
                shown << value->text();
            result->reject();
        });
        click(&open.form, qPrintable(button));
        QCOMPARE(services_->texts(), QStringList{});
        QVERIFY(!shown.isEmpty());
        for (const QString& text : shown)
            QVERIFY2(ui::parseDouble(text).has_value(), qPrintable(text));
    }

    void unreadableBoxTakesTheFocus()
    {
        OpenCapacityForm open;
        QVERIFY(QTest::qWaitForWindowActive(&open.form));
        type(&open.form, "tipBearingFactorEdit", QStringLiteral("0..5"));
        click(&open.form, "computePileButton");
        QCOMPARE(QApplication::focusWidget(), box(&open.form, "tipBearingFactorEdit"));
    }

    void singlePileResult_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("worked example") << QString() << QString() << QStringLiteral("275.48");
        QTest::newRow("no spacing needed") << QStringLiteral("squareSpacingEdit") << QStringLiteral("0")
                                           << QStringLiteral("275.48");
        QTest::newRow("negative capacity shown as it comes")
            << QStringLiteral("cubeStrengthEdit") << QStringLiteral("-1") << QStringLiteral("-0.54");
    }
    void singlePileResult()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        g_project = capacityExample();
        OpenCapacityForm open;
        if (!boxName.isEmpty())
            type(&open.form, qPrintable(boxName), typed);
        ModalWatchdog watchdog;
        QString title, value;
        bool returnHasFocus = false;
        watchdog.expect<CPileResultDialog>([&](CPileResultDialog* result) {
            title = result->windowTitle();
            value = boxText(result, "pileCapacityEdit");
            returnHasFocus = result->focusWidget() == child<QPushButton>(result, "returnButton");
            click(result, "returnButton");
            closeIfOpen(result);
        });
        click(&open.form, "computePileButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(title, QStringLiteral("计算结果"));
        QCOMPARE(value, shown);
        QVERIFY(returnHasFocus);
        QVERIFY(services_->texts().isEmpty());
    }

    // D = d = 0: a single pile of capacity 0, but no composite capacity (0/0).
    void zeroDiametersGiveNoCompositeCapacity()
    {
        g_project = capacityExample();
        g_project.headDiameter = g_project.shaftDiameter = 0;
        OpenCapacityForm open;
        ModalWatchdog watchdog;
        QString value;
        watchdog.expect<CPileResultDialog>([&](CPileResultDialog* result) {
            value = boxText(result, "pileCapacityEdit");
            result->reject();
        });
        click(&open.form, "computePileButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(value, QStringLiteral("0"));
        click(&open.form, "computeCompositeButton");
        QCOMPARE(services_->texts(), QStringList{kParametersWrong});
    }

    void compositeResult_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("pileShown");
        QTest::addColumn<QString>("compositeShown");
        QTest::addColumn<double>("storedPileCapacity");
        QTest::newRow("computed") << false << QStringLiteral("275.48") << QStringLiteral("126.58") << 275.4784;
        QTest::newRow("typed, all digits") << true << QStringLiteral("250.125") << QStringLiteral("120.26") << -7.0;
    }
    void compositeResult()
    {
        QFETCH(bool, manual);
        QFETCH(QString, pileShown);
        QFETCH(QString, compositeShown);
        QFETCH(double, storedPileCapacity);
        g_project = capacityExample();
        g_project.pileCapacity = -7;
        if (manual) {
            // The typed capacity needs no layers at all.
            g_project.headLayerCount = g_project.shaftLayerCount = 0;
        }
        OpenCapacityForm open;
        if (manual) {
            click(&open.form, "manualCapacityCheck");
            type(&open.form, "manualCapacityEdit", QStringLiteral("250.125"));
        }
        ModalWatchdog watchdog;
        QString pile, composite;
        watchdog.expect<CCapacityResultDialog>([&](CCapacityResultDialog* result) {
            pile = boxText(result, "pileCapacityEdit");
            composite = boxText(result, "compositeCapacityEdit");
            click(result, "returnButton");
            closeIfOpen(result);
        });
        click(&open.form, "computeCompositeButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(pile, pileShown);
        QCOMPARE(composite, compositeShown);
        QVERIFY(std::abs(g_project.pileCapacity - storedPileCapacity) < 1e-3);
        QCOMPARE(g_project.manualCapacityFlag, manual ? 1 : 0);
    }

    // The rectangle uses both of its spacings, whatever the other boxes hold,
    // and every spacing is stored.
    void rectangleLayoutSetsTheEquivalentDiameter()
    {
        g_project = capacityExample();
        OpenCapacityForm open;
        click(&open.form, "triangleRadio");
        type(&open.form, "triangleSpacingEdit", QStringLiteral("9"));
        click(&open.form, "rectangleRadio");
        type(&open.form, "longitudinalSpacingEdit", QStringLiteral("2.0"));
        type(&open.form, "transverseSpacingEdit", QStringLiteral("1.5"));
        ModalWatchdog watchdog;
        watchdog.expect<CCapacityResultDialog>([](CCapacityResultDialog* result) { result->reject(); });
        click(&open.form, "computeCompositeButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(g_project.layoutType, kLayoutRectangle);
        QCOMPARE(g_project.equivalentDiameter, 1.13 * std::sqrt(3.0));
        QCOMPARE(g_project.spacingTriangle, 9.0);
        QCOMPARE(g_project.spacingSquare, 2.0);
    }

    // "返 回" is the default button: Enter in a box reads the form and closes
    // it, but applies nothing; a box that cannot be read keeps it open.
    void returnClosesWithoutApplying()
    {
        OpenCapacityForm open;
        type(&open.form, "headDiameterEdit", QStringLiteral("1.2"));
        QTest::keyClick(box(&open.form, "headDiameterEdit"), Qt::Key_Return);
        QVERIFY(!open.form.isVisible());
        QCOMPARE(open.form.result(), int(QDialog::Accepted));
        QCOMPARE(g_project.headDiameter, 0.0);

        CCapacityDialog reopened;
        reopened.show();
        QCOMPARE(boxText(&reopened, "headDiameterEdit"), QStringLiteral("0"));
        type(&reopened, "headDiameterEdit", QStringLiteral("x"));
        click(&reopened, "returnButton");
        QVERIFY(reopened.isVisible());
        QCOMPARE(services_->texts(), QStringList{kEnterNumber});
    }

    void escapeClosesWithoutReading()
    {
        OpenCapacityForm open;
        type(&open.form, "headDiameterEdit", QStringLiteral("x"));
        QTest::keyClick(&open.form, Qt::Key_Escape);
        QVERIFY(!open.form.isVisible());
        QCOMPARE(open.form.result(), int(QDialog::Rejected));
        QVERIFY(services_->texts().isEmpty());
    }

    // A save whose apply step refuses writes nothing and confirms nothing.
    void refusedApplyWritesNoFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("project.txt"));
        services_->answerFileDialogs({path});
        OpenCapacityForm open;
        type(&open.form, "headLengthEdit", QStringLiteral("3"));
        click(&open.form, "saveButton");
        QCOMPARE(services_->texts(), QStringList{kPileLengthWrong});
        QVERIFY(!QFile::exists(path));
    }

    // A refused file changes neither the record nor the form.
    void refusedLoadChangesNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("broken.txt"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a project\n");
        broken.close();
        g_project = capacityExample();
        services_->answerFileDialogs({path});
        OpenCapacityForm open;
        type(&open.form, "headDiameterEdit", QStringLiteral("1.7"));
        click(&open.form, "loadButton");
        QCOMPARE(services_->texts().size(), 1);
        QVERIFY(services_->lastText().startsWith(QStringLiteral("载入失败！")));
        QCOMPARE(boxText(&open.form, "headDiameterEdit"), QStringLiteral("1.7"));
        QCOMPARE(g_project.headDiameter, 1.0);
        QCOMPARE(enabledSpacings(&open.form), QStringLiteral("0100"));
    }

private:
    std::unique_ptr<FakeServices> services_;
};

QTEST_MAIN(CapacityFormTest)
#include "capacity_form_test.moc"
