// Driving the capacity forms from tests: named boxes and buttons, typing and
// clicking as a user does, and the worked example of a T-shaped pile.
#pragma once

#include "forms/capacity/friction_layer_dialog.h"
#include "support/modal_watchdog.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>

class QAbstractButton;
class QDialog;

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

// Ends a sub-form that a handler expected to have closed: a form left open
// would block the test in its exec() for good.
void closeIfOpen(QDialog* form);

// Worked example: D 1, d 0.5, H 2, L 10, qpa 100, alpha1 0.85, qpb 120,
// alpha2 0.5, fcu 1500, eta1 0.7, eta2 0.6, fsk 80, beta 0.9, square layout at
// 2.0 m; one head layer 2.0 m with qs 10 and one shaft layer 8.0 m with qs 12.
// Ra = 275.478 kN, fspk = 126.576 kPa.
void storeWorkedExample();
// Types the worked example's values (not its layers) into a capacity form
// and picks the square layout.
void typeWorkedExample(QWidget* capacityForm);

// What a layer form shows when it opens: caption, layer number, total and
// remaining thickness, and the text of its OK button.
QString describe(CFrictionLayerDialog* form);

// Answers the layer forms of one entry run by typing the layers in turn,
// each as "h" (side friction 10) or "h/qs": each goes into the form that is open,
// so a refused value is followed by the next one in the same showing. The
// one layer form comes back for every layer, so the next showing is awaited
// only once the current one has ended. A showing that opens with no value
// left ends the run as `ending` says; with no ending given it is cancelled
// and noted as unexpected.
struct LayerEntryAnswers {
    enum class Ending { Unexpected, CancelButton, EscapeKey, KeepOffered };

    explicit LayerEntryAnswers(QStringList layers, Ending end = Ending::Unexpected)
        : pending(std::move(layers)), ending(end)
    {
    }

    QStringList pending;
    Ending ending;
    QStringList shown;
    QStringList offered;  // thickness|friction in the boxes when each showing opened
    bool unexpectedForm = false;

    void awaitNextShowing(testing_support::ModalWatchdog& watchdog);

private:
    void end(CFrictionLayerDialog* form);
};

}  // namespace capacity_testing
