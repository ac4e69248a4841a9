#include "ui/owned_window.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ui {
namespace {

const char* const kKindProperty = "ownedWindowKind";

QWidget* openWindowOfKind(QWidget* form, const QString& kind)
{
    for (QWidget* window : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window->isVisible() && window->property(kKindProperty).toString() == kind)
            return window;
    return nullptr;
}

// Passes a wheel turn over an unfocused box on to the box's parent.
class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* box = static_cast<QWidget*>(watched);
        if (box->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

}  // namespace

QWidget* openOwnedWindow(QWidget* form, const QString& kind, const std::function<QWidget*(QWidget* owner)>& make)
{
    QWidget* window = openWindowOfKind(form, kind);
    if (!window) {
        window = make(form);
        window->setProperty(kKindProperty, kind);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (auto* dialog = qobject_cast<QDialog*>(form))
            QObject::connect(dialog, &QDialog::finished, window, &QWidget::close);
        placeWindow(window, form);
        window->show();
        placeWindow(window, form);  // again, now that the frame is known
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void placeWindow(QWidget* window, const QWidget* over)
{
    QScreen* screen = over ? over->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    window->ensurePolished();
    const QSize wanted =
        (window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint()).expandedTo(window->minimumSizeHint());
    // The frame the window manager adds is known once the window shows;
    // before, a title bar's worth is kept free so that the title stays in reach.
    QSize frame = window->frameGeometry().size() - window->size();
    if (!window->isVisible() || frame.isEmpty())
        frame = QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    window->resize(wanted.boundedTo(area.size() - frame));
    QRect placed(QPoint(), window->size() + frame);
    placed.moveCenter(over ? over->frameGeometry().center() : area.center());
    const int left = std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() + 1 - placed.width()));
    const int top = std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() + 1 - placed.height()));
    window->move(left, top);  // the frame's top left corner
}

void wheelOnlyWhenFocused(QWidget* window)
{
    auto* guard = new WheelGuard(window);
    const auto guardBox = [guard](QWidget* box) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    };
    for (QComboBox* box : window->findChildren<QComboBox*>())
        guardBox(box);
    for (QAbstractSpinBox* box : window->findChildren<QAbstractSpinBox*>())
        guardBox(box);
}

bool runOrCloseOnKey(QWidget& window, const QKeyEvent& event, const std::function<void()>& run)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run();
        return true;
    case Qt::Key_Escape:
        window.close();
        return true;
    default:
        return false;
    }
}

}  // namespace ui
