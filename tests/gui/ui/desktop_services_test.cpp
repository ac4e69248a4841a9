// The real message boxes and file dialogs, closed from the watchdog: their
// texts in Chinese and the folder they start in.
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/chinese_interface.h"
#include "ui/dialog.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

#include <optional>

using testing_support::FakeServices;
using testing_support::ModalWatchdog;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Question;
    QMessageBox::StandardButtons buttons;
    int width = 0;
};

std::function<void(QMessageBox*)> recordAndAccept(SeenBox& seen)
{
    return [&seen](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->width()};
        box->accept();
    };
}

// A form whose one box must hold a number.
class OneBoxForm : public ui::Dialog {
public:
    OneBoxForm() { (new QVBoxLayout(this))->addWidget(box); }
    using ui::Dialog::readForm;
    QLineEdit* box = new QLineEdit(QStringLiteral("abc"));
    double value = 0;

protected:
    void exchange(ui::DataExchange& dx) override { dx.text(box, value); }
};

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// Types `path` into the name box of the next file dialog, as a user does,
// and presses OK, noting the dialog's filters on the way. When the dialog
// stays open (the user would not replace a file) it is cancelled.
std::function<void(QFileDialog*)> chooseFile(const QString& path, QStringList& filters)
{
    return [path, &filters](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        if (dialog->isVisible())
            dialog->reject();
    };
}

// Every visible text of a dialog's labels and buttons, tool tips included,
// with the access keys "(&S)" taken out.
QStringList visibleTexts(const QWidget* dialog)
{
    static const QRegularExpression accessKey(QStringLiteral("\\(&\\w\\)|&"));
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisible())
            texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->isVisible())
            texts << button->text() << button->toolTip();
    texts.replaceInStrings(accessKey, QString());
    texts.removeAll(QString());
    return texts;
}

QStringList withLatinLetters(const QStringList& texts)
{
    return texts.filter(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

// Remembers the folder a file dialog opened in, then cancels it.
std::function<void(QFileDialog*)> noteFolderAndCancel(QString& folder)
{
    return [&folder](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        dialog->reject();
    };
}

}  // namespace

class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::installChineseQtTexts()); }

    // Each test has its own home, documents folder (Windows keeps its own)
    // and remembered settings, in a file rather than Windows' registry.
    void init()
    {
        home_.emplace();
        QVERIFY(QDir(home_->path()).mkdir(QStringLiteral("Documents")));
        qputenv("HOME", QFile::encodeName(home_->path()));
        qunsetenv("XDG_CONFIG_HOME");
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_->filePath(QStringLiteral("config")));
    }

    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    // Qt's own buttons and labels speak Chinese whatever the locale (the
    // tests run under C.UTF-8): no English word is left in a message box or
    // in the save dialog.
    void qtTextsAreChinese()
    {
        QString okText;
        QStringList messageTexts;
        ModalWatchdog watchdog;
        watchdog.expect<QMessageBox>([&](QMessageBox* box) {
            okText = box->button(QMessageBox::Ok)->text();
            messageTexts = visibleTexts(box);
            box->accept();
        });
        ui::services().showMessage(nullptr, QStringLiteral("保存失败！"));

        QString cancelText;
        QStringList dialogTexts;
        watchdog.expect<QFileDialog>([&](QFileDialog* dialog) {
            cancelText = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
            dialogTexts = visibleTexts(dialog) << dialog->windowTitle();
            dialog->reject();
        });
        QVERIFY(ui::services().askSaveFileName(nullptr).isEmpty());

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(okText, QStringLiteral("确定"));
        QCOMPARE(cancelText, QStringLiteral("取消"));
        QVERIFY(dialogTexts.contains(QStringLiteral("保存工程文件")));
        QCOMPARE(withLatinLetters(messageTexts), QStringList());
        QCOMPARE(withLatinLetters(dialogTexts), QStringList());
    }

    // The open and save dialogs start in the user's documents the first
    // time, then in the folder of the file last chosen in either.
    void fileDialogsStartInTheFolderLastChosen()
    {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString projects = home_->filePath(QStringLiteral("projects"));
        const QString archive = home_->filePath(QStringLiteral("archive"));
        QVERIFY(QDir().mkpath(projects) && QDir().mkpath(archive));
        touch(archive + QStringLiteral("/old.txt"));
        QStringList filters;
        QString firstFolder, afterSaving, afterOpening;
        ModalWatchdog watchdog;

        watchdog.expect<QFileDialog>(noteFolderAndCancel(firstFolder));
        ui::services().askOpenFileName(nullptr);
        watchdog.expect<QFileDialog>(chooseFile(projects + QStringLiteral("/new.txt"), filters));
        ui::services().askSaveFileName(nullptr);
        watchdog.expect<QFileDialog>(noteFolderAndCancel(afterSaving));
        ui::services().askOpenFileName(nullptr);
        watchdog.expect<QFileDialog>(chooseFile(archive + QStringLiteral("/old.txt"), filters));
        ui::services().askOpenFileName(nullptr);
        watchdog.expect<QFileDialog>(noteFolderAndCancel(afterOpening));
        ui::services().askSaveFileName(nullptr);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(firstFolder, documents);
        QCOMPARE(afterSaving, projects);
        QCOMPARE(afterOpening, archive);
    }

    // A file opened in a folder no save could go to (the program's own, where
    // the examples are, or one marked read-only) is not remembered: the next
    // dialog starts in the documents folder; a writable folder is remembered.
    void onlyAFolderToSaveInIsRemembered_data()
    {
        QTest::addColumn<QString>("folder");  // writable, read-only or program
        QTest::addRow("writable folder") << QStringLiteral("writable");
        QTest::addRow("read-only folder") << QStringLiteral("read-only");
        QTest::addRow("the program's folder") << QStringLiteral("program");
    }

    void onlyAFolderToSaveInIsRemembered()
    {
        QFETCH(QString, folder);
#ifdef Q_OS_WIN
        // Windows ignores a folder's read-only mark for writing into it:
        // there only the program's own folder is told apart.
        if (folder == QLatin1String("read-only"))
            QSKIP("a folder's owner permissions are a POSIX notion");
#endif
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString projects = home_->filePath(QStringLiteral("projects"));
        const QString examples = home_->filePath(QStringLiteral("examples"));
        QVERIFY(QDir().mkpath(projects) && QDir().mkpath(examples));
        touch(examples + QStringLiteral("/example.txt"));
        QVERIFY(QFile::setPermissions(examples, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                   | QFileDevice::ReadUser | QFileDevice::ExeUser));
        touch(projects + QStringLiteral("/mine.txt"));
        const QString opened = folder == QLatin1String("writable")    ? projects + QStringLiteral("/mine.txt")
                               : folder == QLatin1String("read-only") ? examples + QStringLiteral("/example.txt")
                                                                      : QCoreApplication::applicationFilePath();
        QStringList filters;
        QString savedIn;
        ModalWatchdog watchdog;

        watchdog.expect<QFileDialog>(chooseFile(projects + QStringLiteral("/new.txt"), filters));
        ui::services().askSaveFileName(nullptr);
        watchdog.expect<QFileDialog>(chooseFile(opened, filters));
        const QString chosen = ui::services().askOpenFileName(nullptr);
        watchdog.expect<QFileDialog>(noteFolderAndCancel(savedIn));
        ui::services().askSaveFileName(nullptr);
        QFile::setPermissions(examples, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(chosen, opened);
        QCOMPARE(savedIn, folder == QLatin1String("writable") ? projects : documents);
    }

    // The whole road of an unreadable box: prompt in a real box, captioned
    // with the program's name and without an icon.
    void unreadableBoxPromptsInAPlainOrvaneBox()
    {
        OneBoxForm form;
        form.show();
        SeenBox seen;
        ModalWatchdog watchdog;
        watchdog.expect<QMessageBox>(recordAndAccept(seen));

        QVERIFY(!form.readForm());

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(seen.caption, QStringLiteral("Orvane"));
        // Room for the caption beside a title bar's icon and three buttons
        // of 46 pixels each, so that no window manager cuts it.
        QVERIFY2(seen.width >= QFontMetrics(QApplication::font()).horizontalAdvance(seen.caption) + 3 * 46,
                 qPrintable(QString::number(seen.width)));
        QCOMPARE(seen.text, QStringLiteral("请输入一个数字。"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(form.focusWidget(), form.box);
    }

    void noticeHasItsOwnCaptionAndIcon()
    {
        SeenBox seen;
        ModalWatchdog watchdog;
        watchdog.expect<QMessageBox>(recordAndAccept(seen));
        ui::services().showNotice(nullptr, QStringLiteral("保存成功！"));
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(seen.caption, QStringLiteral("提示"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void saveDialogAddsTheExtension()
    {
        QTemporaryDir folder;
        QStringList filters;
        ModalWatchdog watchdog;
        watchdog.expect<QFileDialog>(chooseFile(folder.filePath(QStringLiteral("embankment")), filters));
        const QString chosen = ui::services().askSaveFileName(nullptr);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(filters, QStringList{QStringLiteral("Txt Files (*.txt)")});
        QCOMPARE(chosen, folder.filePath(QStringLiteral("embankment.txt")));
    }

    // Replacing a project is asked first, whether the typed name carried the
    // extension (the dialog asks) or not (asked after adding it).
    void replacingAFileIsAskedFirst_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("replace");
        QTest::addRow("with extension, replaced") << QStringLiteral("old.txt") << true;
        QTest::addRow("with extension, kept") << QStringLiteral("old.txt") << false;
        QTest::addRow("without extension, replaced") << QStringLiteral("old") << true;
        QTest::addRow("without extension, kept") << QStringLiteral("old") << false;
    }

    void replacingAFileIsAskedFirst()
    {
        QFETCH(QString, typed);
        QFETCH(bool, replace);
        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("old.txt"));
        touch(existing);
        QStringList filters;
        int questions = 0;
        ModalWatchdog watchdog;
        watchdog.expect<QMessageBox>([&](QMessageBox* box) {
            ++questions;
            box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        watchdog.expect<QFileDialog>(chooseFile(folder.filePath(typed), filters));

        const QString chosen = ui::services().askSaveFileName(nullptr);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(questions, 1);
        QCOMPARE(chosen, replace ? existing : QString());
    }

    void openDialogOffersTextFiles()
    {
        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("project.txt"));
        touch(existing);
        QStringList filters;
        ModalWatchdog watchdog;
        watchdog.expect<QFileDialog>(chooseFile(existing, filters));
        QCOMPARE(ui::services().askOpenFileName(nullptr), existing);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(filters, QStringList{QStringLiteral("Txt Files (*.txt)")});
    }

    void fileListIsChinese_data()
    {
        QTest::addColumn<QString>("asked");  // report, open or save
        QTest::addColumn<QString>("file");   // one the filter shows
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("title");
        QTest::addRow("calculation report") << QStringLiteral("report") << QStringLiteral("计算书.pdf")
                                            << QStringLiteral("PDF 文件 (*.pdf)") << QStringLiteral("导出计算书");
        QTest::addRow("opening a project") << QStringLiteral("open") << QStringLiteral("路堤.txt")
                                           << QStringLiteral("Txt Files (*.txt)") << QStringLiteral("打开工程文件");
        QTest::addRow("saving a project") << QStringLiteral("save") << QStringLiteral("路堤.txt")
                                          << QStringLiteral("Txt Files (*.txt)") << QStringLiteral("保存工程文件");
    }

    // The dialog titled with what it opens or saves, and its list in
    // Chinese, whatever the process locale: sizes, types and dates as the
    // Chinese interface writes them, the filter named in Chinese.
    void fileListIsChinese()
    {
        QFETCH(QString, asked);
        QFETCH(QString, file);
        QFETCH(QString, filter);
        QFETCH(QString, title);
        const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QVERIFY(documents.mkpath(QStringLiteral("旧项目")));  // kept between rows under Wine
        QFile written(documents.filePath(file));
        QVERIFY(written.open(QIODevice::WriteOnly) && written.write(QByteArray(2048, 'x')) == 2048);
        written.close();
        const QLocale chinese(QLocale::Chinese, QLocale::China);

        QStringList filters, headers;
        QString shownTitle;
        QHash<QString, QStringList> rows;  // name: size, type, date
        ModalWatchdog watchdog;
        watchdog.expect<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            shownTitle = dialog->windowTitle();
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QAbstractItemModel* model = view->model();
            QDeadlineTimer deadline(5000);
            while (model->rowCount(view->rootIndex()) < 2 && !deadline.hasExpired())
                QTest::qWait(20);
            for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
                headers << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                QStringList cells;
                for (int column = 0; column < 4; ++column)
                    cells << model->index(row, column, view->rootIndex()).data().toString();
                rows.insert(cells.takeFirst(), cells);
            }
            dialog->reject();
        });
        if (asked == QLatin1String("report"))
            ui::services().askReportFileName(nullptr);
        else if (asked == QLatin1String("open"))
            ui::services().askOpenFileName(nullptr);
        else
            ui::services().askSaveFileName(nullptr);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(shownTitle, title);
        QCOMPARE(filters, QStringList{filter});
        QCOMPARE(withLatinLetters(headers), QStringList());
        QCOMPARE(rows.value(QStringLiteral("旧项目")).value(1), QStringLiteral("文件夹"));
        const QStringList cells = rows.value(file);
        QCOMPARE(cells.value(0), chinese.formattedDataSize(2048, 2, QLocale::DataSizeTraditionalFormat));
        QCOMPARE(cells.value(1), QStringLiteral("%1 文件").arg(QFileInfo(file).suffix()));
        QCOMPARE(cells.value(2), chinese.toString(QFileInfo(written).lastModified(), QLocale::ShortFormat));
    }

    void removingTheFakeRestoresTheDesktop()
    {
        ui::Services* desktop = &ui::services();
        {
            FakeServices fake;
            QCOMPARE(&ui::services(), static_cast<ui::Services*>(&fake));
        }
        QCOMPARE(&ui::services(), desktop);
        QVERIFY(qAbs(ui::services().now().secsTo(QDateTime::currentDateTime())) < 5);
    }

    // A watchdog whose dialog never comes reports it instead of hanging.
    void watchdogReportsADialogThatNeverCame()
    {
        ModalWatchdog watchdog;
        watchdog.expect<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }, 50);
        QMessageBox unexpected(QMessageBox::NoIcon, QStringLiteral("Orvane"), QStringLiteral("x"));
        unexpected.exec();
        QVERIFY(!watchdog.satisfied());
        QVERIFY2(watchdog.report().contains(QStringLiteral("QFileDialog")), qPrintable(watchdog.report()));
    }

private:
    std::optional<QTemporaryDir> home_;
};

QTEST_MAIN(DesktopServicesTest)
#include "desktop_services_test.moc"
