// The soil profile window as an engineer drives it: a borehole table imported
// or pasted, edited in the table, exported, and split into the record's zones
// after a confirmation, from either input form.
#include "forms/capacity/capacity_dialog.h"
#include "forms/design/design_dialog.h"
#include "forms/profile/profile_window.h"
#include "forms/settlement/settlement_dialog.h"
#include "model/gbk.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "ui/project_file_flow.h"
#include "worked_examples.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

using namespace testing_support;

namespace {

// Bottoms at 1.5, 5.5 and 11.5 m; rock below without side friction.
const QString kBorehole = QStringLiteral(
    "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3)\r\n"
    "黏土,1.5,10,3,18\r\n粉土,4,12,4,18.5\r\n砂,6,15,8,19\r\n岩,1,,15,20\r\n");

// The same strata with cv, fak, c and φ; the sand without cv.
const QString kBoreholeWithProperties = QStringLiteral(
    "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3),固结系数,地基承载力特征值,黏聚力,内摩擦角\r\n"
    "黏土,1.5,10,3,18,1.2,60,10,6\r\n粉土,4,12,4,18.5,3,130,20,16\r\n砂,6,15,8,19,,200,3,28\r\n岩,1,,15,20,150,400,0,35\r\n");

const PileShape kPile{1.0, 0.5, 2.0, 10.0};  // D, d, H, L of the worked example

QTableWidget* strataTable(const QWidget* window) { return child<QTableWidget>(window, "strataTable"); }

QString splitStatus(const QWidget* window) { return child<QLabel>(window, "splitStatus")->text(); }

QStringList column(const QWidget* window, int index)
{
    QStringList texts;
    const QTableWidget* table = strataTable(window);
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, index) ? table->item(row, index)->text() : QString());
    return texts;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray gbkBytes(const QString& text)
{
    const std::optional<std::string> gbk = utf8ToGbk(text.toStdString());
    return QByteArray::fromStdString(gbk.value());
}

// Answers the confirmation of "按剖面分层" and keeps its text.
void answerConfirmation(ModalWatchdog& watchdog, QString& question, QMessageBox::StandardButton answer)
{
    watchdog.expect<QMessageBox>([&question, answer](QMessageBox* box) {
        question = box->text();
        box->button(answer)->click();
    });
}

}  // namespace

class ProfileWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ui::installFontSubstitutions();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }
    void init() { g_project = settlementExample(); }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void importsABoreholeTable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("cv");
        const QStringList noCv{"", "", "", ""};
        QTest::addRow("UTF-8 comma") << kBorehole.toUtf8() << QString() << noCv;
        QTest::addRow("GBK tab") << gbkBytes(QString(kBorehole).replace(QLatin1Char(','), QLatin1Char('\t')))
                                 << QString() << noCv;
        QTest::addRow("GBK with the strata's properties") << gbkBytes(kBoreholeWithProperties) << QString()
                                                         << QStringList{"1.2", "3", "", "150"};
        QTest::addRow("missing column")
            << QByteArray("name,thickness,qs,gamma\n黏土,1.5,10,18\n")
            << QStringLiteral("表头中缺少“压缩模量”列（也可写作“Es”，可带单位，如“压缩模量(MPa)”）。") << noCv;
        QTest::addRow("cv not a number")
            << QString(kBoreholeWithProperties).replace(QStringLiteral(",,200"), QStringLiteral(",快,200")).toUtf8()
            << QStringLiteral("第4行第6列（固结系数）的“快”不是数字。") << noCv;
    }

    void importsABoreholeTable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QStringList, cv);
        QTemporaryDir dir;
        FakeServices services;
        ProfileWindow window(kPile);
        window.setProfile(currentProfile());
        const QStringList before = column(&window, 0);
        window.chooseFileToImport = [&](QWidget*) { return writeFile(dir, QStringLiteral("钻孔.csv"), bytes); };
        click(&window, "importButton");

        if (!message.isEmpty()) {
            QCOMPARE(services.texts(), QStringList{message});
            QCOMPARE(column(&window, 0), before);
            return;
        }
        QVERIFY(services.texts().isEmpty());
        QCOMPARE(column(&window, 0), (QStringList{"黏土", "粉土", "砂", "岩"}));
        QCOMPARE(column(&window, 2), (QStringList{"10", "12", "15", ""}));
        QCOMPARE(column(&window, 5), cv);
        QCOMPARE(splitStatus(&window),
                 QStringLiteral("H = 2 m，L = 10 m：扩大头范围（0～H）2 层，下部桩体范围（H～L）2 层，桩端以下 2 层"));
    }

    void pastesSpreadsheetCells_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addRow("with the header row") << QStringLiteral("name\tthickness\tqs\tEs\tgamma\n粉土\t3\t12\t4\t18\n砂\t2\t20\t9\t19\n");
        QTest::addRow("cells only") << QStringLiteral("粉土\t3\t12\t4\t18\n砂\t2\t20\t9\t19\n");
    }

    void pastesSpreadsheetCells()
    {
        QFETCH(QString, clipboard);
        FakeServices services;
        ProfileWindow window(kPile);
        QGuiApplication::clipboard()->setText(clipboard);
        click(&window, "pasteButton");
        QVERIFY(services.texts().isEmpty());
        QCOMPARE(column(&window, 0), (QStringList{"粉土", "砂"}));
        QCOMPARE(column(&window, 3), (QStringList{"4", "9"}));
    }

    void editsTheStrataInTheTable()
    {
        FakeServices services;
        ProfileWindow window(kPile);
        window.setProfile(readProfileCsv(kBorehole.toStdString()).profile);
        QTableWidget* table = strataTable(&window);

        table->setCurrentCell(3, 0);
        click(&window, "moveUpButton");
        QCOMPARE(column(&window, 0), (QStringList{"黏土", "粉土", "岩", "砂"}));
        QVERIFY2(splitStatus(&window).contains(QStringLiteral("第3层“岩”位于桩长范围内")), qPrintable(splitStatus(&window)));
        click(&window, "moveDownButton");
        QCOMPARE(column(&window, 0), (QStringList{"黏土", "粉土", "砂", "岩"}));

        table->setCurrentCell(0, 0);
        click(&window, "addButton");
        QCOMPARE(table->rowCount(), 5);
        QVERIFY2(splitStatus(&window).contains(QStringLiteral("第2层的“层厚(m)”不是数字")), qPrintable(splitStatus(&window)));
        const QStringList fill{"填土", "0.5", "8", "2", "17"};
        for (int c = 0; c < fill.size(); ++c)
            table->item(1, c)->setText(fill[c]);
        QCOMPARE(column(&window, 0), (QStringList{"黏土", "填土", "粉土", "砂", "岩"}));
        table->item(1, 8)->setText(QStringLiteral("十五"));
        QVERIFY2(splitStatus(&window).contains(QStringLiteral("第2层的“内摩擦角φ(°)”不是数字")), qPrintable(splitStatus(&window)));
        table->item(1, 8)->setText(QStringLiteral("90"));
        QVERIFY2(splitStatus(&window).contains(QStringLiteral("第2层“填土”的内摩擦角φ应为不小于0且小于90的数")),
                 qPrintable(splitStatus(&window)));
        table->item(1, 8)->setText(QStringLiteral("15"));
        QVERIFY2(splitStatus(&window).endsWith(QStringLiteral("扩大头范围（0～H）2 层，下部桩体范围（H～L）2 层，桩端以下 2 层")),
                 qPrintable(splitStatus(&window)));

        table->setCurrentCell(0, 0);
        click(&window, "deleteButton");
        QCOMPARE(column(&window, 0), (QStringList{"填土", "粉土", "砂", "岩"}));
        QVERIFY(services.texts().isEmpty());
    }

    void exportsWhatItReadsBack()
    {
        QTemporaryDir dir;
        FakeServices services;
        ProfileWindow window(kPile);
        const SoilProfile profile = readProfileCsv(kBoreholeWithProperties.toStdString()).profile;
        window.setProfile(profile);
        window.chooseFileToExport = [&](QWidget*) { return dir.filePath(QStringLiteral("导出.csv")); };
        click(&window, "exportButton");
        QVERIFY2(services.lastText().contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("导出.csv")))),
                 qPrintable(services.lastText()));
        QFile file(dir.filePath(QStringLiteral("导出.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(readProfileCsv(file.readAll().toStdString()).profile, profile);
    }

    void exportRefusesTheFilesRead_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addRow("the borehole table imported") << QStringLiteral("钻孔.csv");
        QTest::addRow("the current project file") << QStringLiteral("job1.txt");
    }

    void exportRefusesTheFilesRead()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        FakeServices services;
        const QString project = dir.filePath(QStringLiteral("job1.txt"));
        QVERIFY(g_project.saveProject(project.toStdString(), std::tm{}).ok);
        QVERIFY(ui::loadProjectFile(nullptr, project));
        ProfileWindow window(kPile);
        window.chooseFileToImport = [&](QWidget*) { return writeFile(dir, QStringLiteral("钻孔.csv"), kBorehole.toUtf8()); };
        click(&window, "importButton");
        const QString path = dir.filePath(target);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        window.chooseFileToExport = [path](QWidget*) { return path; };
        click(&window, "exportButton");
        QVERIFY2(services.lastText().contains(QStringLiteral("不能写到输入文件本身")), qPrintable(services.lastText()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        ui::forgetProjectFile();
    }

    void appliesOnlyAfterTheConfirmation_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addRow("yes") << true;
        QTest::addRow("no") << false;
    }

    void appliesOnlyAfterTheConfirmation()
    {
        QFETCH(bool, confirmed);
        FakeServices services;
        const ProjectData before = g_project;
        ProfileWindow window(kPile);
        window.setProfile(readProfileCsv(kBorehole.toStdString()).profile);
        window.show();
        ModalWatchdog watchdog;
        QString question;
        answerConfirmation(watchdog, question, confirmed ? QMessageBox::Yes : QMessageBox::No);
        click(&window, "applyButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(question, QStringLiteral("按剖面分层将替换三个区的全部土层参数：\n"
                                          "扩大头范围（0～H）2 层，下部桩体范围（H～L）2 层，桩端以下 2 层。\n是否继续？"));
        if (!confirmed) {
            QVERIFY(g_project == before);
            QVERIFY(window.isVisible());
            return;
        }
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(g_project.headLayerCount, 2);
        QCOMPARE(g_project.headThickness[2], 0.5);
        QCOMPARE(g_project.shaftThickness[2], 4.5);
        QCOMPARE(g_project.shaftFriction[2], 15.0);
        QCOMPARE(g_project.baseThickness[2], 1000.0);
        QCOMPARE(currentProfile(), readProfileCsv(kBorehole.toStdString()).profile);
    }

    void refusesAProfileThatCannotBeSplit()
    {
        FakeServices services;
        const ProjectData before = g_project;
        ProfileWindow window(PileShape{1.0, 0.5, 2.0, 12.0});
        window.setProfile(readProfileCsv(kBorehole.toStdString()).profile);
        click(&window, "applyButton");
        QCOMPARE(services.texts(), QStringList{QStringLiteral("第4层“岩”位于桩长范围内，但没有侧摩阻力qs。")});
        QVERIFY(g_project == before);
    }

    void formsShowTheNewLayers_data()
    {
        QTest::addColumn<bool>("settlementForm");
        QTest::addColumn<QStringList>("countBoxes");
        QTest::addRow("capacity") << false << QStringList{"headLayerCountEdit", "shaftLayerCountEdit"};
        QTest::addRow("settlement") << true
                                    << QStringList{"headLayerCountEdit", "shaftLayerCountEdit", "baseLayerCountEdit"};
    }

    void formsShowTheNewLayers()
    {
        QFETCH(bool, settlementForm);
        QFETCH(QStringList, countBoxes);
        FakeServices services;
        std::unique_ptr<ui::Dialog> form;
        if (settlementForm)
            form = std::make_unique<CSettlementDialog>();
        else
            form = std::make_unique<CCapacityDialog>();
        form->show();
        type(form.get(), "headLengthEdit", QStringLiteral("1.5"));  // typed, not yet applied

        ModalWatchdog watchdog;
        QString question;
        QString opened;
        watchdog.expect<ProfileWindow>([&](ProfileWindow* window) {
            opened = splitStatus(window);
            window->setProfile(readProfileCsv(kBorehole.toStdString()).profile);
            answerConfirmation(watchdog, question, QMessageBox::Yes);
            click(window, "applyButton");
            closeIfOpen(window);
        });
        click(form.get(), "soilProfileButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY(services.texts().isEmpty());
        QCOMPARE(opened, QStringLiteral("H = 1.5 m，L = 10 m：扩大头范围（0～H）1 层，下部桩体范围（H～L）3 层，桩端以下 3 层"));
        QVERIFY2(question.contains(QStringLiteral("（H～L）2 层")), qPrintable(question));

        QCOMPARE(g_project.headLength, 1.5);
        const QStringList expected{"1", "2", "2"};
        for (int i = 0; i < countBoxes.size(); ++i)
            QCOMPARE(boxText(form.get(), countBoxes[i].toLatin1().constData()), expected[i]);
        QCOMPARE(boxText(form.get(), "headLengthEdit"), QStringLiteral("1.5"));
        form->close();
    }

    // Without a profile the design window offers neither H nor L; once one is
    // applied from it, a pile-length sweep splits it at every point.
    void designWindowSweepsThePileLengthOfTheAppliedProfile()
    {
        FakeServices services;
        CDesignDialog window;
        window.show();
        auto* field = child<QComboBox>(&window, "firstFieldCombo");
        QCOMPARE(field->findData(QStringLiteral("pileLength")), -1);

        ModalWatchdog watchdog;
        QString question;
        watchdog.expect<ProfileWindow>([&](ProfileWindow* profile) {
            profile->setProfile(readProfileCsv(kBorehole.toStdString()).profile);
            answerConfirmation(watchdog, question, QMessageBox::Yes);
            click(profile, "applyButton");
            closeIfOpen(profile);
        });
        click(&window, "soilProfileButton");
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(g_project.shaftLayerCount, 2);

        field->setCurrentIndex(field->findData(QStringLiteral("pileLength")));
        QVERIFY(field->currentIndex() >= 0);
        for (const auto& [box, text] : {std::pair{"firstFromEdit", "9"}, {"firstToEdit", "12"}, {"firstStepEdit", "1"}})
            child<QLineEdit>(&window, box)->setText(QString::fromLatin1(text));
        QSignalSpy shown(&window, &CDesignDialog::sweepShown);
        click(&window, "runButton");
        QVERIFY(shown.wait(10000));
        const std::vector<SweepPoint>& points = window.points();
        QCOMPARE(points.size(), size_t(4));
        QCOMPARE(QString::fromStdString(points[3].fault), QStringLiteral("第4层“岩”位于桩长范围内，但没有侧摩阻力qs。"));
        ProjectData typed = g_project;
        typed.pileLength = 11;
        QCOMPARE(applyProfile(readProfileCsv(kBorehole.toStdString()).profile, typed), std::string());
        typed.deriveEquivalentDiameter();
        QCOMPARE(points[2].results.compositeCapacity, typed.computeCapacity());
        window.close();
    }

private:
    QTemporaryDir settings_;  // the design window remembers its demands
};

QTEST_MAIN(ProfileWindowTest)
#include "profile_window_test.moc"
