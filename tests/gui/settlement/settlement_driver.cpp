#include "settlement_driver.h"

#include "forms/settlement/settlement_result_dialog.h"
#include "forms/settlement/soil_layer_dialog.h"
#include "model/project_data.h"
#include "support/widgets.h"

#include <QTest>

namespace settlement_test {

QLineEdit* box(QWidget* form, const char* name)
{
    auto* found = form->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no box %s", name);
    return found;
}

QAbstractButton* button(QWidget* form, const char* name)
{
    auto* found = form->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no button %s", name);
    return found;
}

void click(QWidget* form, const char* buttonName)
{
    QTest::mouseClick(button(form, buttonName), Qt::LeftButton);
}

void type(QWidget* form, const char* boxName, const QString& text)
{
    testing_support::typeInto(box(form, boxName), text);
}

QString text(QWidget* form, const char* boxName)
{
    return box(form, boxName)->text();
}

void typeAll(QWidget* form, const QList<Typed>& entries)
{
    for (const Typed& entry : entries)
        type(form, entry.box, entry.text);
}

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

void storeWorkedExampleLayers()
{
    ProjectData& p = g_project;
    p.headThickness[1] = 2.0;
    p.headSoilModulus[1] = 3.0;
    p.headUnitWeight[1] = 18.0;
    const double shaft[][3] = {{4.0, 4.0, 18.5}, {4.0, 6.0, 19.0}};
    for (int i = 0; i < 2; ++i) {
        p.shaftThickness[i + 1] = shaft[i][0];
        p.shaftSoilModulus[i + 1] = shaft[i][1];
        p.shaftUnitWeight[i + 1] = shaft[i][2];
    }
    const double base[][3] = {{3.0, 8.0, 19.0}, {5.0, 10.0, 19.5}, {1000.0, 15.0, 20.0}};
    for (int i = 0; i < 3; ++i) {
        p.baseThickness[i + 1] = base[i][0];
        p.baseSoilModulus[i + 1] = base[i][1];
        p.baseUnitWeight[i + 1] = base[i][2];
    }
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
    showings.append({form->windowTitle(), text(form, "layerNumberEdit"),
                     button(form, "nextLayerButton")->text(), text(form, "totalThicknessEdit"),
                     text(form, "remainingThicknessEdit"),
                     box(form, "totalThicknessEdit")->isVisible() && box(form, "remainingThicknessEdit")->isVisible(),
                     box(form, "thicknessEdit")->isVisible(), box(form, "infiniteThicknessEdit")->isVisible(),
                     text(form, "infiniteThicknessEdit"), text(form, "thicknessEdit"),
                     text(form, "soilModulusEdit"), text(form, "unitWeightEdit")});
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
            shown = text(result, "settlementEdit");
            click(result, "returnButton");
        },
        timeoutMs);
    click(settlementForm, "computeSettlementButton");
    return shown;
}

}  // namespace settlement_test
