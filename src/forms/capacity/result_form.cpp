#include "forms/capacity/result_form.h"

#include "ui/dialog.h"

#include <QDialog>
#include <QLineEdit>

void prepareResultForm(QDialog* form, std::initializer_list<QLineEdit*> valueBoxes)
{
    form->setWindowFlags(form->windowFlags() | Qt::WindowMinimizeButtonHint);
    ui::setFormFont(form, 9);
    for (QLineEdit* box : valueBoxes) {
        QObject::connect(box, &QLineEdit::returnPressed, form, &QDialog::accept);
    }
}
