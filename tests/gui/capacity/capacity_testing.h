// Driving the capacity forms from tests: the form as the main window opens
// it, the worked example typed in, and the layer-by-layer entry answered.
#pragma once

#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/friction_layer_dialog.h"
#include "support/modal_watchdog.h"

#include <QString>
#include <QStringList>

#include <utility>

namespace capacity_testing {

// The capacity form as the main window opens it.
struct OpenCapacityForm {
    OpenCapacityForm()
    {
        form.layout = 0;
        form.show();
    }
    CCapacityDialog form;
};

// Types the values of capacityExample() (not its layers) into a capacity
// form and picks the square layout.
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
