// Linked into every GUI test program: fails the running test within seconds
// when a modal dialog stays open that nothing will close (no watchdog
// expectation waits), instead of hanging until the CTest timeout.
#include "modal_watchdog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kCheckIntervalMs = 200;
constexpr int kStuckAfterMs = 3000;
// A progress dialog closes itself when its work ends, which on a busy
// machine may take a while longer.
constexpr int kProgressStuckAfterMs = 60000;

int stuckAfterMs(QWidget* modal)
{
    return qobject_cast<QProgressDialog*>(modal) ? kProgressStuckAfterMs : kStuckAfterMs;
}

QString describe(QWidget* modal)
{
    QString text = QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(modal->metaObject()->className()),
                                                  modal->windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        text += QStringLiteral(" saying \"%1\"").arg(box->text());
    return text;
}

class StuckModalGuard : public QObject {
public:
    StuckModalGuard()
    {
        connect(&timer_, &QTimer::timeout, this, &StuckModalGuard::check);
        timer_.start(kCheckIntervalMs);
    }

private:
    void check()
    {
        const QList<QWidget*> modals = testing_support::openModals();
        QWidget* innermost = modals.isEmpty() ? nullptr : modals.last();
        if (!innermost || testing_support::anyExpectationWaiting()) {
            watched_ = nullptr;
            return;
        }
        if (innermost != watched_) {
            watched_ = innermost;
            openFor_.start();
            return;
        }
        if (openFor_.elapsed() < stuckAfterMs(innermost))
            return;
        const QString message = QStringLiteral("modal %1 stayed open %2 s with nothing to close it")
                                    .arg(describe(innermost)).arg(stuckAfterMs(innermost) / 1000);
        watched_ = nullptr;
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        testing_support::dismissAllModals();
    }

    QTimer timer_;
    QPointer<QWidget> watched_;
    QElapsedTimer openFor_;
};

void startGuard() { new StuckModalGuard; }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startGuard)
