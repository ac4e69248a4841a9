#include "forms/consolidation/consolidation_button.h"

#include "forms/consolidation/consolidation_window.h"

#include <QPushButton>

namespace consolidation {

QPushButton* consolidationButton(QWidget* form)
{
    auto* button = new QPushButton(QStringLiteral("工后沉降(&T)…"), form);
    button->setObjectName(QStringLiteral("consolidationButton"));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(button, &QPushButton::clicked, form, [form] {
        auto* window = new ConsolidationWindow(g_project, form->parentWidget());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlag(Qt::Window);
        window->show();
    });
    return button;
}

}  // namespace consolidation
