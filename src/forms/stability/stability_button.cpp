#include "forms/stability/stability_button.h"

#include "forms/stability/stability_window.h"
#include "ui/dialog.h"
#include "ui/owned_window.h"

#include <QPushButton>

namespace stability {

QPushButton* stabilityButton(QWidget* form)
{
    auto* button = new QPushButton(QStringLiteral("稳定验算…"), form);
    button->setObjectName(QStringLiteral("stabilityButton"));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::ClickFocus);
    ui::fitButtonToText(button);
    QObject::connect(button, &QPushButton::clicked, form, [form] {
        ui::openOwnedWindow(form, QStringLiteral("stability"),
                            [](QWidget* owner) { return new StabilityWindow(g_project, owner); });
    });
    return button;
}

}  // namespace stability
