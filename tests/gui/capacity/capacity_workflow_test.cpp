// The whole bearing-capacity workflow as an engineer goes through it: the
// worked example typed in, three head layers entered with a slip on the way,
// a row corrected in the table, both capacities computed, the typed
// single-pile capacity tried, the project saved, loaded into a fresh record
// and the form reopened.
#include "capacity_testing.h"

#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/capacity_result_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "forms/capacity/pile_result_dialog.h"
#include "model/gbk.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace capacity_testing;
using namespace testing_support;

namespace {

const QString kThickerThanRemaining = QStringLiteral("该层土厚度不应大于剩余厚度，请检查后重新输入！");
const QString kModified = QStringLiteral("修改成功！");
const QString kSaved = QStringLiteral("保存成功！请不要手动修改文件以免本程序无法正常读取！");

// Enters every layer of a zone through its button. Each run has its own
// watchdog: the wait for a further showing after the last layer must not
// catch the next run's forms.
void enterLayers(CCapacityDialog* form, const char* button, const QStringList& layers)
{
    ModalWatchdog watchdog;
    LayerEntryAnswers answers(layers);
    answers.awaitNextShowing(watchdog);
    click(form, button);
    QVERIFY(answers.pending.isEmpty());
    QVERIFY(!answers.unexpectedForm);
}

struct Capacities {
    QString singlePile;
    QString composite;
};

// Presses the composite button and reads both values off the result form.
Capacities computeComposite(CCapacityDialog* form)
{
    ModalWatchdog watchdog;
    Capacities shown;
    watchdog.expect<CCapacityResultDialog>([&](CCapacityResultDialog* result) {
        shown = {boxText(result, "pileCapacityEdit"), boxText(result, "compositeCapacityEdit")};
        click(result, "returnButton");
        closeIfOpen(result);
    });
    click(form, "computeCompositeButton");
    if (!watchdog.satisfied())
        return {watchdog.report(), watchdog.report()};
    return shown;
}

QString computeSinglePile(CCapacityDialog* form)
{
    ModalWatchdog watchdog;
    QString shown;
    watchdog.expect<CPileResultDialog>([&](CPileResultDialog* result) {
        shown = boxText(result, "pileCapacityEdit");
        click(result, "returnButton");
        closeIfOpen(result);
    });
    click(form, "computePileButton");
    return watchdog.satisfied() ? shown : watchdog.report();
}

// What a reopened or reloaded form shows of the project: values, layout,
// manual capacity and which of those boxes can be typed into.
QString shownProject(const CCapacityDialog* form)
{
    QStringList parts;
    for (const char* name : {"headDiameterEdit", "shaftDiameterEdit", "headLengthEdit", "pileLengthEdit",
                             "cubeStrengthEdit", "stepBearingFactorEdit", "headLayerCountEdit",
                             "shaftLayerCountEdit", "squareSpacingEdit", "soilReductionEdit", "manualCapacityEdit"})
        parts << boxText(form, name);
    parts << (child<QRadioButton>(form, "squareRadio")->isChecked() ? "square" : "other layout");
    parts << (child<QCheckBox>(form, "manualCapacityCheck")->isChecked() ? "manual" : "computed");
    for (const char* name : {"triangleSpacingEdit", "squareSpacingEdit", "longitudinalSpacingEdit",
                             "transverseSpacingEdit", "manualCapacityEdit"})
        parts << (box(form, name)->isEnabled() ? "on" : "off");
    return parts.join(QLatin1Char(' '));
}

const QString kShownProject = QStringLiteral("1 0.5 2 10 1500 0.85 3 1 2 0.9 250 square manual off on off off on");

QString readGbk(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const std::optional<std::string> text = gbkToUtf8(file.readAll().toStdString());
    return text ? QString::fromStdString(*text) : QString();
}

}  // namespace

class CapacityWorkflowTest : public QObject {
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

    void fromTypingToReopening()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("t-pile project.txt"));
        {
            OpenCapacityForm open;
            CCapacityDialog& form = open.form;
            typeWorkedExample(&form);
            type(&form, "headLayerCountEdit", QStringLiteral("3"));
            type(&form, "shaftLayerCountEdit", QStringLiteral("1"));

            // Three head layers: the second is first typed thicker than what
            // is left, and its side friction is a slip (11 instead of 10).
            enterLayers(&form, "setHeadLayersButton", {"0.8", "1.5", "0.7/11", "0.5"});
            enterLayers(&form, "setShaftLayersButton", {"8/12"});
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(services_->texts(), QStringList{kThickerThanRemaining});

            // The slip corrected in the table.
            ModalWatchdog review;
            bool tableClosed = false;
            review.expect<CFrictionTableDialog>([&](CFrictionTableDialog* table) {
                clickRow(child<QTableWidget>(table, "layerList"), 1);
                type(table, "frictionEdit", QStringLiteral("10"));
                click(table, "modifyButton");
                click(table, "okButton");
                tableClosed = !table->isVisible();
                closeIfOpen(table);
            });
            click(&form, "showHeadLayersButton");
            QVERIFY2(review.satisfied(), qPrintable(review.report()));
            QVERIFY(tableClosed);
            QCOMPARE(g_project.headFriction[2], 10.0);

            QCOMPARE(computeSinglePile(&form), QStringLiteral("275.48"));
            const Capacities computed = computeComposite(&form);
            QCOMPARE(computed.singlePile, QStringLiteral("275.48"));
            QCOMPARE(computed.composite, QStringLiteral("126.58"));

            click(&form, "manualCapacityCheck");
            type(&form, "manualCapacityEdit", QStringLiteral("250"));
            const Capacities typed = computeComposite(&form);
            QCOMPARE(typed.singlePile, QStringLiteral("250"));
            QCOMPARE(typed.composite, QStringLiteral("120.22"));

            services_->answerFileDialogs({path});
            click(&form, "saveButton");
            QCOMPARE(services_->shown().last().kind, ShownMessage::Kind::Notice);
            QCOMPARE(services_->lastText(), kSaved);
            QCOMPARE(services_->texts().size(), 3);
            click(&form, "returnButton");
            QVERIFY(!form.isVisible());
        }

        const QString saved = readGbk(path);
        for (const char* line : {"扩大头直径(m)\t\t1\r\n", "标记桩间类型（0－等边三角形1－正方形2－矩形）\t1\r\n",
                                 "正方形布置时桩间距(m)\t\t\t2\r\n", "\r\n扩大头每层土高度\t\t0.8 0.7 0.5 \r\n",
                                 "\r\n扩大头每层土摩阻力特征值（kPa）\t\t10 10 10 \r\n",
                                 "\r\n下部桩体每层土摩阻力特征值（kPa）\t12 \r\n",
                                 "标记是否手动输入单桩承载力（0－否1－是）\t1\r\n", "手动输入单桩承载力\t\t250\r\n",
                                 "单桩承载力特征值：\t\t275.478 kN\r\n", "复合地基承载力特征值：\t126.576 kPa\r\n",
                                 "保存时间：2026-03-14 09:26\r\n"})
            QVERIFY2(saved.contains(QString::fromUtf8(line)), line);

        g_project = ProjectData{};
        services_->clearShown();
        {
            OpenCapacityForm open;
            CCapacityDialog& form = open.form;
            QCOMPARE(boxText(&form, "headDiameterEdit"), QStringLiteral("0"));
            services_->answerFileDialogs({path});
            click(&form, "loadButton");
            QVERIFY(services_->texts().isEmpty());
            QCOMPARE(shownProject(&form), kShownProject);
            QCOMPARE(g_project.headThickness[2], 0.7);
            QCOMPARE(g_project.headFriction[3], 10.0);
            QCOMPARE(g_project.shaftThickness[1], 8.0);
            QCOMPARE(g_project.pileCapacity, 0.0);
        }
        {
            OpenCapacityForm open;
            CCapacityDialog& reopened = open.form;
            QCOMPARE(shownProject(&reopened), kShownProject);
            QCOMPARE(computeComposite(&reopened).composite, QStringLiteral("120.22"));
            click(&reopened, "manualCapacityCheck");
            const Capacities computed = computeComposite(&reopened);
            QCOMPARE(computed.singlePile, QStringLiteral("275.48"));
            QCOMPARE(computed.composite, QStringLiteral("126.58"));
            QVERIFY(services_->texts().isEmpty());
        }
    }

private:
    std::unique_ptr<FakeServices> services_;
};

QTEST_MAIN(CapacityWorkflowTest)
#include "capacity_workflow_test.moc"
