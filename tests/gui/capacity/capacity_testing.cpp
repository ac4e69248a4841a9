#include "capacity_testing.h"

#include "model/project_data.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace capacity_testing {

QLineEdit* box(const QWidget* form, const char* name)
{
    return child<QLineEdit>(form, name);
}

QString boxText(const QWidget* form, const char* name)
{
    return box(form, name)->text();
}

void type(QWidget* form, const char* boxName, const QString& text)
{
    testing_support::typeInto(box(form, boxName), text);
}

void click(QWidget* form, const char* buttonName)
{
    auto* button = child<QAbstractButton>(form, buttonName);
    const bool hasIndicator = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
    const int middle = button->height() / 2;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                      hasIndicator ? QPoint(middle, middle) : button->rect().center());
}

void closeIfOpen(QDialog* form)
{
    if (form->isVisible())
        form->reject();
}

void storeWorkedExample()
{
    ProjectData& p = g_project;
    p.headDiameter = 1.0;
    p.shaftDiameter = 0.5;
    p.headLength = 2.0;
    p.pileLength = 10.0;
    p.stepBearing = 100;
    p.stepBearingFactor = 0.85;
    p.tipBearing = 120;
    p.tipBearingFactor = 0.5;
    p.cubeStrength = 1500;
    p.headStrengthFactor = 0.7;
    p.shaftStrengthFactor = 0.6;
    p.soilCapacity = 80;
    p.soilReduction = 0.9;
    p.layoutType = kLayoutSquare;
    p.spacingSquare = 2.0;
    p.headLayerCount = 1;
    p.headThickness[1] = 2.0;
    p.headFriction[1] = 10;
    p.shaftLayerCount = 1;
    p.shaftThickness[1] = 8.0;
    p.shaftFriction[1] = 12;
}

void typeWorkedExample(QWidget* capacityForm)
{
    const std::pair<const char*, const char*> values[] = {
        {"headDiameterEdit", "1"},        {"shaftDiameterEdit", "0.5"},
        {"headLengthEdit", "2"},          {"pileLengthEdit", "10"},
        {"cubeStrengthEdit", "1500"},     {"headStrengthFactorEdit", "0.7"},
        {"shaftStrengthFactorEdit", "0.6"}, {"stepBearingEdit", "100"},
        {"tipBearingEdit", "120"},        {"stepBearingFactorEdit", "0.85"},
        {"tipBearingFactorEdit", "0.5"},  {"soilCapacityEdit", "80"},
        {"soilReductionEdit", "0.9"},
    };
    for (const auto& [name, text] : values)
        type(capacityForm, name, QString::fromLatin1(text));
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
