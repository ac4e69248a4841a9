// Driving the capacity forms from tests: named boxes and buttons, typing and
// clicking as a user does, and the worked example of a T-shaped pile.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

class QAbstractButton;

namespace capacity_testing {

// The form's child of that name and type; aborts the test run when absent.
template <class T>
T* child(const QWidget* form, const char* name)
{
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no child %s in %s", name, form->metaObject()->className());
    return widget;
}

QLineEdit* box(const QWidget* form, const char* name);
QString boxText(const QWidget* form, const char* name);
void type(QWidget* form, const char* boxName, const QString& text);
// A mouse click on a push button, or on the indicator of a radio button or
// check box.
void click(QWidget* form, const char* buttonName);

// Worked example: D 1, d 0.5, H 2, L 10, qpa 100, alpha1 0.85, qpb 120,
// alpha2 0.5, fcu 1500, eta1 0.7, eta2 0.6, fsk 80, beta 0.9, square layout at
// 2.0 m; one head layer 2.0 m with qs 10 and one shaft layer 8.0 m with qs 12.
// Ra = 275.478 kN, fspk = 126.576 kPa.
void storeWorkedExample();
// Types the worked example's values (not its layers) into a capacity form
// and picks the square layout.
void typeWorkedExample(QWidget* capacityForm);

}  // namespace capacity_testing
