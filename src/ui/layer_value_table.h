// The tables of per-layer values that the windows opened from a form edit
// (工后沉降, 稳定验算): fixed cells beside typed ones, and a typed column
// read as the list the project's extension block stores.
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QTableWidget;
class QTableWidgetItem;

namespace ui {

// A cell that shows a value the window does not edit.
QTableWidgetItem* fixedItem(const QString& text);
// The cell's text without surrounding blanks; empty for no cell.
QString cellText(const QTableWidget* table, int row, int column);
// The values of a column over rows [first, first + count) joined by commas;
// empty when every cell is empty.
std::string columnList(const QTableWidget* table, int first, int count, int column);
// Wide enough for every column, with `typingRoom` pixels more in each typed
// column and room for the vertical scroll bar, so that no column hides
// behind a horizontal one.
void fitColumns(QTableWidget* table, std::initializer_list<int> typedColumns, int typingRoom);

}  // namespace ui
