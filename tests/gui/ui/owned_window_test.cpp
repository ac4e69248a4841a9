// A window opened from a modal form: on top of the form and usable while it
// is open, inside the screen, one per kind, gone with the form; and a box
// whose value the wheel changes only while it has the focus.
#include "support/widgets.h"
#include "ui/owned_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// A modal form with a focused box, as the main window runs a form.
struct ModalForm {
    QDialog form;
    QLineEdit* box = new QLineEdit(&form);

    ModalForm()
    {
        form.setWindowModality(Qt::ApplicationModal);
        form.resize(300, 200);
        form.show();
        QApplication::setActiveWindow(&form);
        box->setFocus();
    }
};

QWidget* windowWithABox(QWidget* owner, QSize size = QSize(200, 100))
{
    auto* window = new QWidget(owner);
    auto* layout = new QVBoxLayout(window);
    auto* box = new QLineEdit(window);
    box->setObjectName(QStringLiteral("windowBox"));
    layout->addWidget(box);
    window->setFocusProxy(box);
    window->resize(size);
    return window;
}

QWidget* open(QWidget* form, QSize size = QSize(200, 100))
{
    return ui::openOwnedWindow(form, QStringLiteral("sample"),
                               [size](QWidget* owner) { return windowWithABox(owner, size); });
}

}  // namespace

class OwnedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    // Typed keys go as the desktop sends them, to the focus window, where a
    // window blocked by the modal form drops them.
    void typingLandsInTheWindowOverAModalForm()
    {
        ModalForm modal;
        QWidget* window = open(&modal.form);
        QVERIFY2(QTest::qWaitForWindowActive(window), "the window is not the active window");
        for (const char key : {'1', '8', '0'})
            QTest::keyClick(QGuiApplication::focusWindow(), key);
        QCOMPARE(testing_support::boxText(window, "windowBox"), QStringLiteral("180"));
        QCOMPARE(modal.box->text(), QString());
    }

    void aSecondPressBringsTheOpenOneToTheFront()
    {
        ModalForm modal;
        QWidget* first = open(&modal.form);
        QApplication::setActiveWindow(&modal.form);
        QCOMPARE(open(&modal.form), first);
        QVERIFY(QTest::qWaitForWindowActive(first));
    }

    void closesWithTheForm()
    {
        QPointer<QWidget> window;
        {
            ModalForm modal;
            window = open(&modal.form);
            modal.form.reject();
            QVERIFY(!window->isVisible());
        }
        QVERIFY(!window);
    }

    void placedOnTheFormInsideTheScreen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("formAtTheCorner");
        QTest::newRow("small, form centred") << QSize(200, 100) << false;
        QTest::newRow("small, form at the corner") << QSize(200, 100) << true;
        QTest::newRow("larger than the screen") << QSize(5000, 4000) << false;
    }

    void placedOnTheFormInsideTheScreen()
    {
        QFETCH(QSize, size);
        QFETCH(bool, formAtTheCorner);
        ModalForm modal;
        const QRect area = modal.form.screen()->availableGeometry();
        modal.form.move(formAtTheCorner ? area.bottomRight() - QPoint(150, 100) : area.center() - QPoint(150, 100));
        QWidget* window = open(&modal.form, size);
        QVERIFY2(area.contains(window->frameGeometry()), "the window reaches beyond the screen");
        if (!formAtTheCorner && size.width() < area.width())
            QVERIFY((window->frameGeometry().center() - modal.form.frameGeometry().center()).manhattanLength() <= 2);
    }

    void wheelChangesOnlyAFocusedBox_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("focused") << true;
        QTest::newRow("not focused") << false;
    }

    void wheelChangesOnlyAFocusedBox()
    {
        QFETCH(bool, focused);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* other = new QLineEdit(&window);
        auto* combo = new QComboBox(&window);
        combo->addItems({QStringLiteral("变形比法"), QStringLiteral("σz<0.2σc"), QStringLiteral("σz<0.1σc")});
        layout->addWidget(other);
        layout->addWidget(combo);
        ui::wheelOnlyWhenFocused(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        (focused ? static_cast<QWidget*>(combo) : other)->setFocus();
        const QPointF at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentIndex(), focused ? 1 : 0);
    }
};

QTEST_MAIN(OwnedWindowTest)
#include "owned_window_test.moc"
