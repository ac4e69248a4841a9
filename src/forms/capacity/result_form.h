// What the two capacity result forms have in common.
#pragma once

#include <initializer_list>

class QDialog;
class QLineEdit;

// Frame and font of a result form; Enter in a value box ends the form with
// OK, as "返回" (the first button) ends it with Cancel.
void prepareResultForm(QDialog* form, std::initializer_list<QLineEdit*> valueBoxes);
