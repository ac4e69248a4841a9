// Small helpers for driving forms in tests: finding boxes and buttons by
// name, typing and clicking as a user does, reading a layer list.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QDialog;
class QTableWidget;

namespace testing_support {

// Replaces the text of a box as a user does: select all, then type. Chinese
// text goes in as one key event with that text (QTest::keyClicks is ASCII only).
void typeInto(QLineEdit* box, const QString& text);

// The application's settings in an ini file in that folder, not in the
// user's (nor Windows' registry), so that no run sees another's.
void keepSettingsIn(const QString& folder);

// Top-level widgets still alive, after pending deletions ran; a test's
// cleanup() expects none.
QStringList leakedTopLevelWidgets();

// The form's child of that name and type; aborts the test run when absent.
template <class T>
T* child(const QWidget* form, const char* name)
{
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no child %s in %s", name, form->metaObject()->className());
    return widget;
}

QLineEdit* box(const QWidget* form, const char* name);
QAbstractButton* button(const QWidget* form, const char* name);
QString boxText(const QWidget* form, const char* name);
void type(QWidget* form, const char* boxName, const QString& text);

// A form's boxes, by name, and what to type into them, in order.
struct Typed {
    const char* box;
    QString text;
};
void typeAll(QWidget* form, const QList<Typed>& entries);

// A mouse click on a push button, or on the indicator of a radio button or
// check box.
void click(QWidget* form, const char* buttonName);

// Ends a sub-form that a handler expected to have closed: a form left open
// would block the test in its exec() for good.
void closeIfOpen(QDialog* form);

// Which of an input form's four spacing boxes (triangle, square,
// longitudinal, transverse) are enabled, as "1000" for the triangle.
QString enabledSpacings(const QWidget* form);

// Names of the widgets that Tab visits, from the named one round to it.
QStringList tabOrder(const QWidget* form, const char* firstName);

// The texts of a row of a layer list, column by column.
QStringList rowTexts(const QTableWidget* list, int row);
// A mouse click on a row of a layer list.
void clickRow(QTableWidget* list, int row);

}  // namespace testing_support

#define VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS()                                   \
    do {                                                                       \
        const QStringList leaked = testing_support::leakedTopLevelWidgets();   \
        QVERIFY2(leaked.isEmpty(), qPrintable(leaked.join(QStringLiteral(", ")))); \
    } while (false)
