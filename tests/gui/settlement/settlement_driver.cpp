#include "settlement_driver.h"

#include "forms/settlement/settlement_result_dialog.h"
#include "forms/settlement/soil_layer_dialog.h"
#include "model/project_data.h"
#include "worked_examples.h"

using namespace testing_support;

namespace settlement_test {

QList<Typed> workedExampleForm()
{
    return {
        {"fillHeightEdit", "3"},          {"fillUnitWeightEdit", "19"},
        {"slopeNEdit", "1.5"},            {"slopeMEdit", "1.5"},
        {"topWidthEdit", "10"},           {"headDiameterEdit", "1.0"},
        {"shaftDiameterEdit", "0.5"},     {"headLengthEdit", "2"},
        {"pileLengthEdit", "10"},         {"headPileModulusEdit", "150"},
        {"shaftPileModulusEdit", "120"},  {"headLayerCountEdit", "1"},
        {"shaftLayerCountEdit", "2"},     {"baseLayerCountEdit", "3"},
        {"squareSpacingEdit", "2.0"},
    };
}

void typeWorkedExample(QWidget* settlementForm)
{
    click(settlementForm, "squareRadio");
    typeAll(settlementForm, workedExampleForm());
}

void storeWorkedExampleLayers()
{
    const ProjectData example = settlementExample();
    ProjectData& p = g_project;
    for (auto table : {&ProjectData::headThickness, &ProjectData::headSoilModulus, &ProjectData::headUnitWeight,
                       &ProjectData::shaftThickness, &ProjectData::shaftSoilModulus, &ProjectData::shaftUnitWeight,
                       &ProjectData::baseThickness, &ProjectData::baseSoilModulus, &ProjectData::baseUnitWeight})
        p.*table = example.*table;
    p.baseThickness[3] = 1000.0;
}

LayerEntryDriver::LayerEntryDriver(testing_support::ModalWatchdog& watchdog, QList<LayerStep> steps)
    : watchdog_(watchdog), steps_(std::move(steps))
{
    arm();
}

// The same form is shown again for the next layer, so the next wait is armed
// only once this showing has closed: a form open at arming time is ignored.
void LayerEntryDriver::arm()
{
    watchdog_.expect<CSoilLayerDialog>([this](CSoilLayerDialog* form) { handle(form); }, 3000);
}

void LayerEntryDriver::handle(CSoilLayerDialog* form)
{
    showings.append({form->windowTitle(), boxText(form, "layerNumberEdit"),
                     button(form, "nextLayerButton")->text(), boxText(form, "totalThicknessEdit"),
                     boxText(form, "remainingThicknessEdit"),
                     box(form, "totalThicknessEdit")->isVisible() && box(form, "remainingThicknessEdit")->isVisible(),
                     box(form, "thicknessEdit")->isVisible(), box(form, "infiniteThicknessEdit")->isVisible(),
                     boxText(form, "infiniteThicknessEdit"), boxText(form, "thicknessEdit"),
                     boxText(form, "soilModulusEdit"), boxText(form, "unitWeightEdit")});
    while (next_ < steps_.size() && form->isVisible()) {
        const LayerStep& step = steps_[next_++];
        if (step.cancel) {
            click(form, "cancelButton");
            break;
        }
        if (!step.thickness.isEmpty())
            type(form, "thicknessEdit", step.thickness);
        type(form, "soilModulusEdit", step.soilModulus);
        type(form, "unitWeightEdit", step.unitWeight);
        click(form, "nextLayerButton");
    }
    if (form->isVisible()) {
        // Out of steps on a refused entry: end the sequence rather than hang.
        leftOpen = true;
        form->reject();
    } else if (next_ < steps_.size()) {
        arm();
    }
}

QString computeSettlement(QWidget* settlementForm, int timeoutMs)
{
    testing_support::ModalWatchdog watchdog;
    QString shown;
    watchdog.expect<CSettlementResultDialog>(
        [&shown](CSettlementResultDialog* result) {
            shown = boxText(result, "settlementEdit");
            click(result, "returnButton");
        },
        timeoutMs);
    click(settlementForm, "computeSettlementButton");
    return shown;
}

}  // namespace settlement_test
