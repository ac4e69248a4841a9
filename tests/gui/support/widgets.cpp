#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

namespace testing_support {

void keepSettingsIn(const QString& folder)
{
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Orvane"));
}
namespace {

bool isAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else if (isAscii(text))
        QTest::keyClicks(box, text);
    else
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, Qt::NoModifier);
}

QStringList leakedTopLevelWidgets()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList leaked;
    for (QWidget* widget : QApplication::topLevelWidgets())
        leaked << QStringLiteral("%1 \"%2\"")
                      .arg(QString::fromLatin1(widget->metaObject()->className()), widget->windowTitle());
    return leaked;
}

QLineEdit* box(const QWidget* form, const char* name)
{
    return child<QLineEdit>(form, name);
}

QAbstractButton* button(const QWidget* form, const char* name)
{
    return child<QAbstractButton>(form, name);
}

QString boxText(const QWidget* form, const char* name)
{
    return box(form, name)->text();
}

void type(QWidget* form, const char* boxName, const QString& text)
{
    typeInto(box(form, boxName), text);
}

void typeAll(QWidget* form, const QList<Typed>& entries)
{
    for (const Typed& entry : entries)
        type(form, entry.box, entry.text);
}

void click(QWidget* form, const char* buttonName)
{
    QAbstractButton* target = button(form, buttonName);
    const bool hasIndicator = qobject_cast<QRadioButton*>(target) || qobject_cast<QCheckBox*>(target);
    const int middle = target->height() / 2;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                      hasIndicator ? QPoint(middle, middle) : target->rect().center());
}

void closeIfOpen(QDialog* form)
{
    if (form->isVisible())
        form->reject();
}

QString enabledSpacings(const QWidget* form)
{
    QString states;
    for (const char* name : {"triangleSpacingEdit", "squareSpacingEdit", "longitudinalSpacingEdit",
                             "transverseSpacingEdit"})
        states += box(form, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

QStringList tabOrder(const QWidget* form, const char* firstName)
{
    QWidget* first = child<QWidget>(form, firstName);
    QStringList names{QString::fromLatin1(firstName)};
    for (QWidget* widget = first->nextInFocusChain(); widget != first; widget = widget->nextInFocusChain())
        if (widget->focusPolicy() & Qt::TabFocus)
            names << widget->objectName();
    return names;
}

QStringList rowTexts(const QTableWidget* list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->item(row, column)->text();
    return texts;
}

void clickRow(QTableWidget* list, int row)
{
    const QRect cell = list->visualItemRect(list->item(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

}  // namespace testing_support
