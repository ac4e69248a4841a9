// The project information form and the button of both input forms that
// opens it.
#include "forms/capacity/capacity_dialog.h"
#include "forms/project_info/project_info_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "model/extension/project_info.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "worked_examples.h"

#include <QFormLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace testing_support;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The record's extension before each test: a key of another program first.
ProjectExtension startingExtension()
{
    ProjectExtension extension;
    extension.set("other.tool", "x");
    extension.set("station", "K1+000");
    extension.set("checkedBy", "王五");
    return extension;
}

QStringList labels(const ProjectInfoDialog& form)
{
    const auto* fields = form.findChild<QFormLayout*>();
    QStringList texts;
    for (int row = 0; row < fields->rowCount(); ++row)
        texts << qobject_cast<QLabel*>(fields->itemAt(row, QFormLayout::LabelRole)->widget())->text();
    return texts;
}

}  // namespace

class ProjectInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void init()
    {
        g_project = settlementExample();
        g_project.extension = startingExtension();
        services_ = std::make_unique<FakeServices>();
    }
    void cleanup()
    {
        services_.reset();
        VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS();
    }

    void opensOnTheRecordWithTheFieldsInOrder()
    {
        ProjectInfoDialog form;
        QCOMPARE(form.windowTitle(), QStringLiteral("工程信息"));
        QCOMPARE(labels(form), (QStringList{"工程名称：", "断面/桩号：", "设计阶段：", "编制单位：", "计算书编号：",
                                           "计算：", "校核：", "审核："}));
        QCOMPARE(boxText(&form, "stationEdit"), QStringLiteral("K1+000"));
        QCOMPARE(boxText(&form, "checkedByEdit"), QStringLiteral("王五"));
        QCOMPARE(boxText(&form, "projectNameEdit"), QString());
        QCOMPARE(tabOrder(&form, "projectNameEdit"),
                 (QStringList{"projectNameEdit", "stationEdit", "designStageEdit", "organisationEdit",
                              "reportNumberEdit", "calculatedByEdit", "checkedByEdit", "approvedByEdit", "okButton",
                              "cancelButton"}));
        QCOMPARE(button(&form, "okButton")->text(), QStringLiteral("确定"));
        QCOMPARE(button(&form, "cancelButton")->text(), QStringLiteral("取消"));
    }

    // Only OK changes the record: typed values replace or add keys, a
    // cleared box removes its key, and keys of other programs stay.
    void okAloneWritesTheRecord_data()
    {
        QTest::addColumn<QByteArray>("buttonName");
        QTest::addColumn<bool>("written");
        QTest::newRow("ok") << QByteArray("okButton") << true;
        QTest::newRow("cancel") << QByteArray("cancelButton") << false;
    }
    void okAloneWritesTheRecord()
    {
        QFETCH(QByteArray, buttonName);
        QFETCH(bool, written);
        ProjectInfoDialog form;
        form.open();
        QSignalSpy accepted(&form, &QDialog::accepted);
        QSignalSpy rejected(&form, &QDialog::rejected);
        type(&form, "projectNameEdit", QStringLiteral(" 某高速公路第三合同段 "));
        type(&form, "checkedByEdit", QString());
        type(&form, "approvedByEdit", QStringLiteral("Zhao"));
        click(&form, buttonName.constData());
        QCOMPARE(accepted.count(), written ? 1 : 0);
        QCOMPARE(rejected.count(), written ? 0 : 1);
        QVERIFY(!form.isVisible());
        const Entries expected = written ? Entries{{"other.tool", "x"}, {"station", "K1+000"},
                                                   {"projectName", "某高速公路第三合同段"}, {"approvedBy", "Zhao"}}
                                         : startingExtension().entries();
        QCOMPARE(g_project.extension.entries(), expected);
        QCOMPARE(services_->texts(), QStringList());
    }

    void textTheFileCannotHoldIsRefusedNamingItsBox()
    {
        ProjectInfoDialog form;
        form.open();
        QSignalSpy accepted(&form, &QDialog::accepted);
        type(&form, "projectNameEdit", QStringLiteral("新名称"));
        type(&form, "organisationEdit", QStringLiteral("设计院\U0001F600"));
        click(&form, "okButton");
        QCOMPARE(accepted.count(), 0);
        QVERIFY(form.isVisible());
        QCOMPARE(services_->texts(),
                 QStringList{QStringLiteral("“编制单位”中有工程文件（GBK编码）无法保存的字符，请修改后重新确定！")});
        QCOMPARE(form.focusWidget(), box(&form, "organisationEdit"));
        QCOMPARE(g_project.extension, startingExtension());
        form.reject();
    }

    // "工程信息…" of both input forms opens the form over them and the record
    // takes what is confirmed there.
    void bothInputFormsOpenIt_data()
    {
        QTest::addColumn<bool>("capacity");
        QTest::newRow("capacity form") << true;
        QTest::newRow("settlement form") << false;
    }
    void bothInputFormsOpenIt()
    {
        QFETCH(bool, capacity);
        std::unique_ptr<QDialog> form;
        if (capacity)
            form = std::make_unique<CCapacityDialog>();
        else
            form = std::make_unique<CSettlementDialog>();
        form->show();
        QCOMPARE(button(form.get(), "projectInfoButton")->text(), QStringLiteral("工程信息…"));
        ModalWatchdog watchdog;
        QWidget* parent = nullptr;
        watchdog.expect<ProjectInfoDialog>([&](ProjectInfoDialog* info) {
            parent = info->parentWidget();
            type(info, "reportNumberEdit", QStringLiteral("JS-2026-01"));
            click(info, "okButton");
            closeIfOpen(info);
        });
        click(form.get(), "projectInfoButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(parent, form.get());
        QCOMPARE(g_project.extension.value("reportNumber"), std::string("JS-2026-01"));
        form->reject();
    }

private:
    std::unique_ptr<FakeServices> services_;
};

QTEST_MAIN(ProjectInfoTest)
#include "project_info_test.moc"
