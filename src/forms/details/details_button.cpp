#include "forms/details/details_button.h"

#include "forms/details/capacity_details_window.h"
#include "forms/details/settlement_details_window.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

#include <functional>

namespace details {
namespace {

// While the result form is open the window is its child: the form is modal,
// and only its own windows take clicks and come up on top of it. When the
// form closes, the window passes to the form's owner, so that it stays open
// with the input form; it goes when it is closed.
void keepWhenTheFormCloses(QDialog* form, QWidget* window)
{
    QObject::connect(form, &QDialog::finished, window, [form, window] {
        const QRect frame = window->geometry();
        const bool shown = window->isVisible();
        window->setParent(form->parentWidget(), window->windowFlags());
        window->setGeometry(frame);
        window->setVisible(shown);
    });
}

QPushButton* addButton(QDialog* form, QBoxLayout* buttons, int index, QWidget* tabPredecessor,
                       const std::function<QWidget*(QWidget*)>& makeWindow)
{
    auto* button = new QPushButton(kDetailsCaption, form);
    button->setObjectName(QStringLiteral("detailsButton"));
    button->setAutoDefault(false);
    buttons->insertWidget(index, button);
    QWidget::setTabOrder(tabPredecessor, button);
    QObject::connect(button, &QPushButton::clicked, form, [form, makeWindow] {
        QWidget* window = makeWindow(form);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlag(Qt::Window);
        keepWhenTheFormCloses(form, window);
        window->show();
        window->raise();
        window->activateWindow();
    });
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
