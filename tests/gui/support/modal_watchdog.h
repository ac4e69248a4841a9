// Drives real modal dialogs in tests without ever hanging on one.
//
//   ModalWatchdog watchdog;
//   watchdog.expect<QMessageBox>([&](QMessageBox* box) { caption = box->windowTitle(); box->accept(); });
//   QTest::mouseClick(button, Qt::LeftButton);   // opens the box and blocks in exec()
//   QVERIFY2(watchdog.satisfied(), qPrintable(watchdog.report()));
//
// Arm before the click that opens the dialog. Each expectation polls with its
// own timer, so a handler may arm the next one (a dialog opened from inside
// the dialog it handles) before it clicks. Dialogs already open when an
// expectation is armed are ignored. When no matching dialog appears in time,
// every open modal is rejected so the test can go on, and the failure is
// recorded for satisfied() and report(); assert after the click returns,
// since a failed check inside a handler does not fail the test function.
//
// Every GUI test also runs a guard (modal_guard.cpp): a modal that stays
// open for seconds while no expectation waits would never be closed, so the
// guard fails the running test, naming the dialog, and dismisses it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

namespace testing_support {

class ModalExpectation;

class ModalWatchdog {
public:
    static constexpr int kDefaultTimeoutMs = 5000;

    ModalWatchdog();
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

    // Runs handler on the next new modal dialog of type T that appears within
    // timeoutMs milliseconds.
    template <class T>
    void expect(std::function<void(T*)> handler, int timeoutMs = kDefaultTimeoutMs)
    {
        arm(
            [](QWidget* widget) { return dynamic_cast<T*>(widget) != nullptr; },
            [handler](QWidget* widget) { handler(dynamic_cast<T*>(widget)); },
            typeid(T).name(), timeoutMs);
    }

    // True when every armed expectation has run its handler.
    bool satisfied() const;
    // What went wrong: one line per expectation still waiting or timed out.
    QString report() const;

private:
    void arm(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> handler,
             const char* typeName, int timeoutMs);

    std::vector<std::unique_ptr<ModalExpectation>> expectations_;
};

// True while some expectation of some watchdog waits for its dialog.
bool anyExpectationWaiting();

// Every visible modal top-level widget, innermost last.
QList<QWidget*> openModals();

// Rejects (or closes) every open modal, innermost first.
void dismissAllModals();

}  // namespace testing_support
