// The keys a details window answers as every other window of the program
// does: Esc closes it, and Tab leaves its table for the project name and the
// export button (the arrow keys move between the cells). Called once the
// window's export row is in place.
#pragma once

class QAbstractItemView;
class QWidget;

namespace details {

void setWindowKeys(QWidget* window, QAbstractItemView* table);

}  // namespace details
