#include "capacity_testing.h"

#include "support/widgets.h"

#include <QPushButton>
#include <QTest>

using namespace testing_support;

namespace capacity_testing {

void typeWorkedExample(QWidget* capacityForm)
{
    typeAll(capacityForm, {
        {"headDiameterEdit", "1"},         {"shaftDiameterEdit", "0.5"},
        {"headLengthEdit", "2"},           {"pileLengthEdit", "10"},
        {"cubeStrengthEdit", "1500"},      {"headStrengthFactorEdit", "0.7"},
        {"shaftStrengthFactorEdit", "0.6"}, {"stepBearingEdit", "100"},
        {"tipBearingEdit", "120"},         {"stepBearingFactorEdit", "0.85"},
        {"tipBearingFactorEdit", "0.5"},   {"soilCapacityEdit", "80"},
        {"soilReductionEdit", "0.9"},
    });
    click(capacityForm, "squareRadio");
    type(capacityForm, "squareSpacingEdit", QStringLiteral("2.0"));
}

QString describe(CFrictionLayerDialog* form)
{
    return QStringList{form->windowTitle(), boxText(form, "layerNumberEdit"), boxText(form, "totalThicknessEdit"),
                       boxText(form, "remainingThicknessEdit"), child<QPushButton>(form, "nextButton")->text()}
        .join(QLatin1Char('|'));
}

void LayerEntryAnswers::awaitNextShowing(testing_support::ModalWatchdog& watchdog)
{
    watchdog.expect<CFrictionLayerDialog>([this, &watchdog](CFrictionLayerDialog* form) {
        shown << describe(form);
        offered << boxText(form, "thicknessEdit") + QLatin1Char('|') + boxText(form, "frictionEdit");
        while (!pending.isEmpty() && form->isVisible()) {
            const QStringList layer = pending.takeFirst().split(QLatin1Char('/'));
            type(form, "thicknessEdit", layer.first());
            type(form, "frictionEdit", layer.size() > 1 ? layer.last() : QStringLiteral("10"));
            click(form, "nextButton");
        }
        if (form->isVisible())
            end(form);
        if (!form->isVisible())
            awaitNextShowing(watchdog);
    });
}

void LayerEntryAnswers::end(CFrictionLayerDialog* form)
{
    switch (ending) {
    case Ending::KeepOffered:
        click(form, "nextButton");
        if (form->isVisible()) {
            unexpectedForm = true;
            form->reject();
        }
        return;
    case Ending::EscapeKey:
        QTest::keyClick(form, Qt::Key_Escape);
        closeIfOpen(form);
        return;
    case Ending::Unexpected:
        unexpectedForm = true;
        break;
    case Ending::CancelButton:
        break;
    }
    click(form, "cancelButton");
    closeIfOpen(form);
}

}  // namespace capacity_testing
