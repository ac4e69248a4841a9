// The real message boxes and file dialogs, closed from the watchdog.
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using testing_support::FakeServices;
using testing_support::ModalWatchdog;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Question;
    QMessageBox::StandardButtons buttons;
};

std::function<void(QMessageBox*)> recordAndAccept(SeenBox& seen)
{
    return [&seen](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
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

}  // namespace

class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

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
};

QTEST_MAIN(DesktopServicesTest)
#include "desktop_services_test.moc"
