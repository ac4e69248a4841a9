#include "ui/pile_inputs.h"

#include "model/project_data.h"
#include "ui/dialog.h"

namespace ui {

void enableLayoutSpacings(int layout, QWidget* triangle, QWidget* square, QWidget* longitudinal,
                          QWidget* transverse)
{
    switch (layout) {
    case kLayoutTriangle:
        setEnabled({triangle}, {square, longitudinal, transverse});
        break;
    case kLayoutSquare:
        setEnabled({square}, {triangle, longitudinal, transverse});
        break;
    case kLayoutRectangle:
        setEnabled({longitudinal, transverse}, {triangle, square});
        break;
    default:
        break;
    }
}

}  // namespace ui
