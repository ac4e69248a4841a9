// The "稳定验算…" button of the capacity form and the settlement form.
#pragma once

class QPushButton;
class QWidget;

namespace stability {

// A button that opens the window on the current project, as a window of the
// form. It stays out of the Tab order, which the forms' other controls keep
// as they were, and is as wide as its text, so that it fits beside another
// button in a cell of a form's grid.
QPushButton* stabilityButton(QWidget* form);

}  // namespace stability
