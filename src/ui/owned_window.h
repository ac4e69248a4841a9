// Windows opened from a form: the details windows, 工后沉降 and the like.
#pragma once

#include <QString>

#include <functional>

class QKeyEvent;
class QWidget;

namespace ui {

// Opens the window `make` builds for `form` as a window of the form: a
// window of a modal form only takes input when the form is its parent. It
// opens on top of the form, centred on it and inside the screen's available
// area, takes the keyboard at once, and closes with the form (when a dialog
// finishes, or when the form goes). A window of that `kind` already open over
// the form is brought to the front instead of opening another. Returns the
// window shown.
QWidget* openOwnedWindow(QWidget* form, const QString& kind, const std::function<QWidget*(QWidget* owner)>& make);

// Sizes `window` to at most the available area of its screen and centres it
// on `over` (on the screen when null), kept inside that area.
void placeWindow(QWidget* window, const QWidget* over);

// A combo box or spin box among `window`'s children changes its value under
// the mouse wheel only while it has the focus; otherwise the wheel scrolls
// what holds it. Call once the window's boxes are in place.
void wheelOnlyWhenFocused(QWidget* window);

// The keys of a window opened from a form: Enter runs its main action, Esc
// closes it. False for any other key, which the window then handles itself.
bool runOrCloseOnKey(QWidget& window, const QKeyEvent& event, const std::function<void()>& run);

}  // namespace ui
