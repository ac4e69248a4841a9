// The save and load buttons' flows: what is asked, written and told.
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/widgets.h"
#include "ui/project_file_flow.h"
#include "worked_examples.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using testing_support::FakeServices;
using testing_support::ShownMessage;

namespace {

const QString kSaved = QStringLiteral("保存成功！请不要手动修改文件以免本程序无法正常读取！");

// The worked capacity example with a side friction of its own (15 kPa) that
// the load tests look for.
void setSampleProject()
{
    g_project = capacityExample();
    g_project.headFriction[1] = 15.0;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class ProjectFileFlowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setSampleProject(); }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void saveWritesTheFileAtTheClockTimeAndConfirms_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addRow("plain name") << QStringLiteral("project.txt");
        QTest::addRow("Chinese name") << QStringLiteral("路堤工程.txt");
    }

    void saveWritesTheFileAtTheClockTimeAndConfirms()
    {
        QFETCH(QString, fileName);
        QTemporaryDir folder;
        const QString path = folder.filePath(fileName);
        FakeServices services;
        services.setClock(QDateTime(QDate(2009, 5, 17), QTime(14, 3)));
        services.answerFileDialogs({path});
        QWidget form;
        int applied = 0;

        ui::saveProjectInteractively(&form, [&] { ++applied; return true; });

        QCOMPARE(applied, 1);
        QCOMPARE(services.texts(), QStringList{kSaved});
        QCOMPARE(services.shown().first().kind, ShownMessage::Kind::Notice);
        QCOMPARE(services.shown().first().parent, &form);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("2009-05-17 14:03"));
    }

    void saveCancelledAsksNothingElse()
    {
        FakeServices services;
        services.answerFileDialogs({QString()});
        QWidget form;
        bool applied = false;
        ui::saveProjectInteractively(&form, [&] { return applied = true; });
        QVERIFY(!applied);
        QVERIFY(services.shown().isEmpty());
    }

    // The apply step has shown its own message; nothing is written or added.
    void saveStopsWhenTheFormRefusesItsValues()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("refused.txt"));
        FakeServices services;
        services.answerFileDialogs({path});
        QWidget form;
        ui::saveProjectInteractively(&form, [] { return false; });
        QVERIFY(!QFile::exists(path));
        QVERIFY(services.shown().isEmpty());
    }

    void failedSaveIsReportedWithItsReason()
    {
        QTemporaryDir folder;
        FakeServices services;
        services.answerFileDialogs({folder.filePath(QStringLiteral("missing folder/project.txt"))});
        QWidget form;
        ui::saveProjectInteractively(&form, [] { return true; });
        QCOMPARE(services.shown().size(), 1);
        const ShownMessage& shown = services.shown().first();
        QCOMPARE(shown.kind, ShownMessage::Kind::Message);
        QVERIFY2(shown.text.startsWith(QStringLiteral("保存失败！\n")), qPrintable(shown.text));
        QVERIFY2(shown.text.size() > QStringLiteral("保存失败！\n").size(), "the reason is missing");
    }

    void loadReplacesTheRecordSilently()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("round trip.txt"));
        FakeServices services;
        services.answerFileDialogs({path, path});
        QWidget form;
        ui::saveProjectInteractively(&form, [] { return true; });
        services.clearShown();
        g_project.headDiameter = 9.0;
        g_project.headFriction[1] = 99.0;

        QVERIFY(ui::loadProjectInteractively(&form));
        QCOMPARE(g_project.headDiameter, 1.0);
        QCOMPARE(g_project.headFriction[1], 15.0);
        QVERIFY(services.shown().isEmpty());
    }

    void loadCancelledChangesNothing()
    {
        FakeServices services;
        services.answerFileDialogs({QString()});
        QWidget form;
        QVERIFY(!ui::loadProjectInteractively(&form));
        QCOMPARE(g_project.headDiameter, 1.0);
        QVERIFY(services.shown().isEmpty());
    }

    void refusedLoadIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addRow("missing file") << QByteArray() << false;
        QTest::addRow("not a project") << QByteArray("abc def\r\n") << true;
        QTest::addRow("empty file") << QByteArray() << true;
    }

    void refusedLoadIsReportedAndChangesNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bad.txt"));
        if (exists)
            writeFile(path, content);
        FakeServices services;
        services.answerFileDialogs({path});
        QWidget form;

        QVERIFY(!ui::loadProjectInteractively(&form));

        QCOMPARE(services.shown().size(), 1);
        const QString text = services.shown().first().text;
        QVERIFY2(text.startsWith(QStringLiteral("载入失败！\n")), qPrintable(text));
        QVERIFY2(text.size() > QStringLiteral("载入失败！\n").size(), "the reason is missing");
        QCOMPARE(g_project.headDiameter, 1.0);
        QCOMPARE(g_project.pileLength, 10.0);
        QCOMPARE(g_project.headLayerCount, 1);
        QCOMPARE(g_project.headFriction[1], 15.0);
    }
};

QTEST_MAIN(ProjectFileFlowTest)
#include "project_file_flow_test.moc"
