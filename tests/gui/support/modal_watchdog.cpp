#include "modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>

namespace testing_support {
namespace {

constexpr int kPollIntervalMs = 10;

int waitingExpectations = 0;

QString readableTypeName(const char* mangled)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString name = QString::fromLatin1(status == 0 ? demangled : mangled);
    std::free(demangled);
    return name;
}

}  // namespace

bool anyExpectationWaiting() { return waitingExpectations > 0; }

QList<QWidget*> openModals()
{
    QList<QWidget*> modals;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->isModal())
            modals.append(widget);
    // QApplication knows the innermost one; keep it last.
    if (QWidget* innermost = QApplication::activeModalWidget()) {
        modals.removeAll(innermost);
        modals.append(innermost);
    }
    return modals;
}

void dismissAllModals()
{
    QList<QWidget*> modals = openModals();
    std::reverse(modals.begin(), modals.end());
    for (QWidget* widget : modals) {
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
        else
            widget->close();
    }
}

// One armed wait for a dialog: polls until a new modal of the type appears or
// the time is up.
class ModalExpectation : public QObject {
public:
    enum class State { Waiting, Handled, TimedOut };

    ModalExpectation(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> handler,
                     QString typeName, int timeoutMs)
        : matches_(std::move(matches)), handler_(std::move(handler)),
          typeName_(std::move(typeName)), timeoutMs_(timeoutMs)
    {
        for (QWidget* widget : openModals())
            alreadyOpen_.append(widget);
        connect(&timer_, &QTimer::timeout, this, &ModalExpectation::poll);
        timer_.start(kPollIntervalMs);
        clock_.start();
        ++waitingExpectations;
    }
    ~ModalExpectation() override { settle(State::TimedOut); }

    State state() const { return state_; }

    QString description() const
    {
        switch (state_) {
        case State::Waiting:
            return QStringLiteral("still waiting for a modal %1").arg(typeName_);
        case State::TimedOut:
            return QStringLiteral("no new modal %1 appeared within %2 ms").arg(typeName_).arg(timeoutMs_);
        case State::Handled:
            break;
        }
        return QString();
    }

private:
    void poll()
    {
        if (QWidget* dialog = newMatchingModal()) {
            // Stopped first: the handler may block in a nested exec().
            timer_.stop();
            settle(State::Handled);
            handler_(dialog);
        } else if (clock_.elapsed() > timeoutMs_) {
            timer_.stop();
            settle(State::TimedOut);
            dismissAllModals();
        }
    }

    void settle(State state)
    {
        if (state_ != State::Waiting)
            return;
        --waitingExpectations;
        state_ = state;
    }

    QWidget* newMatchingModal() const
    {
        for (QWidget* widget : openModals())
            if (matches_(widget) && !wasAlreadyOpen(widget))
                return widget;
        return nullptr;
    }

    // A destroyed dialog's pointer turns null, so a new dialog built at the
    // same address is still seen as new.
    bool wasAlreadyOpen(QWidget* widget) const
    {
        return std::any_of(alreadyOpen_.begin(), alreadyOpen_.end(),
                           [widget](const QPointer<QWidget>& open) { return open == widget; });
    }

    std::function<bool(QWidget*)> matches_;
    std::function<void(QWidget*)> handler_;
    QString typeName_;
    int timeoutMs_;
    QList<QPointer<QWidget>> alreadyOpen_;
    QTimer timer_;
    QElapsedTimer clock_;
    State state_ = State::Waiting;
};

ModalWatchdog::ModalWatchdog() = default;
ModalWatchdog::~ModalWatchdog() = default;

void ModalWatchdog::arm(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> handler,
                        const char* typeName, int timeoutMs)
{
    expectations_.push_back(std::make_unique<ModalExpectation>(
        std::move(matches), std::move(handler), readableTypeName(typeName), timeoutMs));
}

bool ModalWatchdog::satisfied() const
{
    return std::all_of(expectations_.begin(), expectations_.end(), [](const auto& expectation) {
        return expectation->state() == ModalExpectation::State::Handled;
    });
}

QString ModalWatchdog::report() const
{
    QStringList problems;
    for (const auto& expectation : expectations_)
        if (expectation->state() != ModalExpectation::State::Handled)
            problems << expectation->description();
    return problems.join(QLatin1Char('\n'));
}

}  // namespace testing_support
