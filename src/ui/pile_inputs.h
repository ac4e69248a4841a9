// What the bearing-capacity and the settlement input forms share: the spacing
// boxes that follow the pile layout.
#pragma once

class QWidget;

namespace ui {

// Only the boxes of the layout's spacings can be edited (one for the
// triangle and the square, both sides for the rectangle); the others keep
// their values, which are still read, applied and saved. Any other layout
// value leaves the boxes as they are.
void enableLayoutSpacings(int layout, QWidget* triangle, QWidget* square, QWidget* longitudinal,
                          QWidget* transverse);

}  // namespace ui
