// The "工后沉降…" button of the settlement form and the settlement result
// form.
#pragma once

class QPushButton;
class QWidget;

namespace consolidation {

// A button that opens the window on the current project, in a window of its
// own that outlives the form. It stays out of the Tab order, which the
// forms' other controls keep as they were; a click or Alt+T reaches it.
QPushButton* consolidationButton(QWidget* form);

}  // namespace consolidation
