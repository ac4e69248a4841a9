#include "forms/details/window_keys.h"

#include <QAbstractItemView>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace details {

void setWindowKeys(QWidget* window, QAbstractItemView* table)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    table->setTabKeyNavigation(false);
    if (auto* name = window->findChild<QWidget*>(QStringLiteral("projectNameEdit")))
        QWidget::setTabOrder(table, name);
}

}  // namespace details
