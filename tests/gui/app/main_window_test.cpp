// The main window as the user meets it: its texts, its four buttons, the
// About box, closing, and the values the two calculation forms share.
#include "app/about_dialog.h"
#include "app/app.h"
#include "app/main_dialog.h"
#include "forms/capacity/capacity_dialog.h"
#include "forms/design/design_dialog.h"
#include "forms/sections/sections_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "model/project_data.h"
#include "support/fake_services.h"
#include "support/modal_watchdog.h"
#include "support/widgets.h"
#include "worked_examples.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_support;

namespace {

QStringList buttonTextsLeftToRight(const CMainDialog& window)
{
    QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList texts;
    for (QPushButton* button : buttons)
        texts << button->text();
    return texts;
}

// What a calculation button opened, seen from inside the form.
struct OpenedForm {
    bool opened = false;
    bool parentless = false;
    bool modal = false;
};

template <class Form>
std::function<void(Form*)> noteAndClose(OpenedForm& seen)
{
    return [&seen](Form* form) {
        seen = {true, form->parentWidget() == nullptr, form->isModal()};
        form->reject();
    };
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { g_project = ProjectData{}; }
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    // The four buttons of the calculator keep their texts and order; the
    // design and road windows' buttons come after "沉降计算".
    void showsTheCaptionAndItsButtonsInARow()
    {
        CMainDialog window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("路堤荷载下Orvane 1.04版 "));
        QCOMPARE(buttonTextsLeftToRight(window),
                 (QStringList{"承载力计算", "沉降计算", "方案比选", "路段计算", "关于我们", "退出"}));
        for (QPushButton* button : window.findChildren<QPushButton*>())
            QCOMPARE(button->y(), window.capacityButton()->y());
        QVERIFY2(window.capacityButton()->geometry().bottom() < window.height() - 40,
                 "the maker's name below the buttons must stay visible");
    }

    void isAFixedSizeWindowThatMinimisesButDoesNotMaximise()
    {
        CMainDialog window;
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.size(), QSize(657, 514));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        // No sizing border, so Windows offers no 大小 in the system menu.
        QVERIFY(window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
        QVERIFY(!window.windowIcon().isNull());
    }

    void aboutButtonOpensTheAboutBox()
    {
        CMainDialog window;
        window.show();
        QString caption;
        QStringList labels;
        QString okText;
        bool hasIcon = false;
        ModalWatchdog watchdog;
        watchdog.expect<CAboutDialog>([&](CAboutDialog* about) {
            caption = about->windowTitle();
            for (QLabel* label : about->findChildren<QLabel*>()) {
                if (label->pixmap().isNull())
                    labels << label->text();
                else
                    hasIcon = true;
            }
            QPushButton* ok = about->findChild<QPushButton*>();
            okText = ok->text();
            ok->click();
        });

        QTest::mouseClick(window.aboutButton(), Qt::LeftButton);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(caption, QStringLiteral("关于我们"));
        QCOMPARE(okText, QStringLiteral("确定"));
        QVERIFY(hasIcon);
        QCOMPARE(labels.size(), 3);
        QCOMPARE(labels.at(0), QStringLiteral("Orvane 1.04 版"));
        QVERIFY2(labels.at(1).startsWith(QStringLiteral("Copyright ©")), qPrintable(labels.at(1)));
        QVERIFY2(labels.at(2).startsWith(QStringLiteral("作者：")), qPrintable(labels.at(2)));
        QVERIFY(window.isVisible());
    }

    void escapeOrExitEndsTheMainWindow_data()
    {
        QTest::addColumn<bool>("useEscape");
        QTest::addRow("Esc key") << true;
        QTest::addRow("退出 button") << false;
    }

    void escapeOrExitEndsTheMainWindow()
    {
        QFETCH(bool, useEscape);
        CMainDialog window;
        ModalWatchdog watchdog;
        watchdog.expect<CMainDialog>([useEscape](CMainDialog* shown) {
            if (useEscape)
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->exitButton()->click();
        });
        QCOMPARE(window.exec(), int(QDialog::Rejected));
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
    }

    void calculationButtonsOpenTheirFormsOnTheirOwn()
    {
        CMainDialog window;
        window.show();
        OpenedForm capacity;
        OpenedForm settlement;
        ModalWatchdog watchdog;
        watchdog.expect<CCapacityDialog>(noteAndClose<CCapacityDialog>(capacity));
        QTest::mouseClick(window.capacityButton(), Qt::LeftButton);
        watchdog.expect<CSettlementDialog>(noteAndClose<CSettlementDialog>(settlement));
        QTest::mouseClick(window.settlementButton(), Qt::LeftButton);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY(capacity.parentless && capacity.modal);
        QVERIFY(settlement.parentless && settlement.modal);
    }

    void designButtonOpensTheDesignWindow()
    {
        CMainDialog window;
        window.show();
        QString caption;
        ModalWatchdog watchdog;
        watchdog.expect<CDesignDialog>([&caption](CDesignDialog* design) {
            caption = design->windowTitle();
            design->reject();
        });
        QTest::mouseClick(window.designButton(), Qt::LeftButton);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(caption, QStringLiteral("方案比选"));
    }

    // A section chosen in the road window (which accepts it) opens in the
    // input form; closing the road window opens nothing.
    void roadWindowOpensTheChosenSectionInTheInputForm()
    {
        CMainDialog window;
        window.show();
        ModalWatchdog watchdog;
        watchdog.expect<CSectionsDialog>([](CSectionsDialog* road) { road->reject(); });
        QTest::mouseClick(window.sectionsButton(), Qt::LeftButton);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));

        OpenedForm capacity;
        watchdog.expect<CSectionsDialog>([&watchdog, &capacity](CSectionsDialog* road) {
            watchdog.expect<CCapacityDialog>(noteAndClose<CCapacityDialog>(capacity));
            road->accept();
        });
        QTest::mouseClick(window.sectionsButton(), Qt::LeftButton);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY(capacity.modal);
    }

    // The window opens with the focus on "承载力计算"; Enter presses the
    // button that has the focus.
    void enterPressesTheFocusedButton()
    {
        CMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.capacityButton());
        OpenedForm capacity;
        ModalWatchdog watchdog;
        watchdog.expect<CCapacityDialog>(noteAndClose<CCapacityDialog>(capacity));
        QTest::keyClick(window.capacityButton(), Qt::Key_Return);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));

        window.aboutButton()->setFocus();
        watchdog.expect<CAboutDialog>([](CAboutDialog* about) { about->reject(); });
        QTest::keyClick(window.aboutButton(), Qt::Key_Return);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QVERIFY(window.isVisible());
    }

    // Values applied in the capacity form (here by saving) are shown by the
    // settlement form opened afterwards from the main window.
    void settlementFormShowsWhatTheCapacityFormApplied()
    {
        QTemporaryDir folder;
        FakeServices services;
        services.answerFileDialogs({folder.filePath(QStringLiteral("shared.txt"))});
        CMainDialog window;
        window.show();
        ModalWatchdog watchdog;
        watchdog.expect<CCapacityDialog>([](CCapacityDialog* form) {
            typeAll(form, {{"headDiameterEdit", "1.2"}, {"shaftDiameterEdit", "0.6"}, {"headLengthEdit", "3"},
                           {"pileLengthEdit", "12.5"}, {"headLayerCountEdit", "2"}, {"shaftLayerCountEdit", "3"}});
            button(form, "rectangleRadio")->click();
            typeAll(form, {{"longitudinalSpacingEdit", "1.8"}, {"transverseSpacingEdit", "2.2"}});
            button(form, "saveButton")->click();
            form->reject();
        });
        QTest::mouseClick(window.capacityButton(), Qt::LeftButton);
        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(services.texts().size(), 1);
        QVERIFY2(services.lastText().startsWith(QStringLiteral("保存成功")), qPrintable(services.lastText()));

        QStringList shown;
        bool rectangleChecked = false;
        QString spacings;
        watchdog.expect<CSettlementDialog>([&](CSettlementDialog* form) {
            for (const char* name : {"headDiameterEdit", "shaftDiameterEdit", "headLengthEdit", "pileLengthEdit",
                                     "headLayerCountEdit", "shaftLayerCountEdit", "longitudinalSpacingEdit",
                                     "transverseSpacingEdit"})
                shown << boxText(form, name);
            rectangleChecked = button(form, "rectangleRadio")->isChecked();
            spacings = enabledSpacings(form);
            form->reject();
        });
        QTest::mouseClick(window.settlementButton(), Qt::LeftButton);

        QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
        QCOMPARE(shown, (QStringList{"1.2", "0.6", "3", "12.5", "2", "3", "1.8", "2.2"}));
        QVERIFY(rectangleChecked);
        QCOMPARE(spacings, QStringLiteral("0011"));
    }

    // `orvane FILE`, as a file manager starts it: a good file is in the
    // record before the main window opens; a refused or missing one is
    // reported and the program starts with the empty record.
    void startsWithTheProjectNamedOnTheCommandLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("loaded");
        QTest::addRow("good project") << QStringLiteral("project.txt") << true;
        QTest::addRow("refused file") << QStringLiteral("notes.txt") << false;
        QTest::addRow("missing file") << QStringLiteral("absent.txt") << false;
    }

    void startsWithTheProjectNamedOnTheCommandLine()
    {
        QFETCH(QString, file);
        QFETCH(bool, loaded);
        QTemporaryDir folder;
        const std::string projectPath = folder.filePath(QStringLiteral("project.txt")).toStdString();
        g_project = settlementExample();
        QVERIFY(g_project.saveProject(projectPath, fixedSaveTime()).ok);
        ProjectData project{};
        QVERIFY(project.loadProject(projectPath).ok);
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("Orvane 1.04\n") > 0);
        notes.close();
        g_project = ProjectData{};
        FakeServices services;

        loadProjectFromCommandLine({QStringLiteral("orvane"), folder.filePath(file)});

        QCOMPARE(g_project == project, loaded);
        QCOMPARE(g_project == ProjectData{}, !loaded);
        QCOMPARE(services.texts().size(), loaded ? 0 : 1);
        if (!loaded)
            QVERIFY2(services.lastText().startsWith(QStringLiteral("载入失败！\n")), qPrintable(services.lastText()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
