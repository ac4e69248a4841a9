#include "forms/details/details_button.h"

#include "forms/details/capacity_details_window.h"
#include "forms/details/settlement_details_window.h"
#include "ui/owned_window.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

#include <functional>

namespace details {
namespace {

QPushButton* addButton(QDialog* form, QBoxLayout* buttons, int index, QWidget* tabPredecessor,
                       const std::function<QWidget*(QWidget*)>& makeWindow)
{
    auto* button = new QPushButton(kDetailsCaption, form);
    button->setObjectName(QStringLiteral("detailsButton"));
    button->setAutoDefault(false);
    buttons->insertWidget(index, button);
    QWidget::setTabOrder(tabPredecessor, button);
    QObject::connect(button, &QPushButton::clicked, form,
                     [form, makeWindow] { ui::openOwnedWindow(form, QStringLiteral("details"), makeWindow); });
    return button;
}

}  // namespace

QPushButton* addCapacityDetailsButton(QDialog* form, QBoxLayout* buttons, int index,
                                      QWidget* tabPredecessor, const ProjectData& project)
{
    return addButton(form, buttons, index, tabPredecessor, [project](QWidget* owner) {
        return new CapacityDetailsWindow(project, owner);
    });
}

QPushButton* addSettlementDetailsButton(QDialog* form, QBoxLayout* buttons, int index,
                                        QWidget* tabPredecessor, const ProjectData& project)
{
    return addButton(form, buttons, index, tabPredecessor, [project](QWidget* owner) {
        return new SettlementDetailsWindow(project, owner);
    });
}

}  // namespace details
