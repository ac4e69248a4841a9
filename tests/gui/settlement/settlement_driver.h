// Drives the settlement forms as an engineer does: types the worked example
// and answers the layer-by-layer entry.
#pragma once

#include "support/modal_watchdog.h"
#include "support/widgets.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class CSoilLayerDialog;

namespace settlement_test {

using testing_support::Typed;

// The embankment, the piles (square layout at 2.0 m) and the layer counts
// 1, 2 and 3 of the worked settlement example.
QList<Typed> workedExampleForm();
// Picks the square layout and types workedExampleForm() into the form.
void typeWorkedExample(QWidget* settlementForm);

// One press of a button of the layer form, with the values typed before it.
struct LayerStep {
    QString thickness;  // not typed when empty (the "无穷大" layer)
    QString soilModulus;
    QString unitWeight;
    bool cancel = false;
};

// What one showing of the layer form looked like when it opened.
struct LayerShowing {
    QString caption;
    QString layerNumber;
    QString okText;
    QString total;
    QString remaining;
    bool totalsVisible;
    bool thicknessVisible;
    bool infiniteVisible;
    QString infiniteText;
    QString prefilledThickness;
    QString prefilledModulus;
    QString prefilledUnitWeight;
};

// Answers the showings of the layer form step by step. A step the form
// refuses stays on the same showing, and the next step is typed there.
class LayerEntryDriver {
public:
    LayerEntryDriver(testing_support::ModalWatchdog& watchdog, QList<LayerStep> steps);
    QList<LayerShowing> showings;
    // True when the steps ran out on a showing that refused the last one.
    bool leftOpen = false;
    // Steps not yet played (non-zero when the form stopped asking early).
    int stepsLeft() const { return steps_.size() - next_; }

private:
    void arm();
    void handle(CSoilLayerDialog* form);

    testing_support::ModalWatchdog& watchdog_;
    QList<LayerStep> steps_;
    int next_ = 0;
};

// The head, shaft and base layers of settlementExample(), stored straight
// into g_project's tables (the base zone's last layer as the entry stores it).
void storeWorkedExampleLayers();

// The result form's value after a press of "计算沉降"; empty when no result
// form opened within the timeout (a message was shown instead).
QString computeSettlement(QWidget* settlementForm, int timeoutMs = 3000);

}  // namespace settlement_test
