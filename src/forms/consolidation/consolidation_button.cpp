#include "forms/consolidation/consolidation_button.h"

#include "forms/consolidation/consolidation_window.h"
#include "ui/owned_window.h"

#include <QPushButton>

namespace consolidation {

QPushButton* consolidationButton(QWidget* form)
{
    auto* button = new QPushButton(QStringLiteral("工后沉降(&T)…"), form);
    button->setObjectName(QStringLiteral("consolidationButton"));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(button, &QPushButton::clicked, form, [form] {
        ui::openOwnedWindow(form, QStringLiteral("consolidation"),
                            [](QWidget* owner) { return new ConsolidationWindow(g_project, owner); });
    });
    return button;
}

}  // namespace consolidation
