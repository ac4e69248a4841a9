#include "widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

namespace testing_support {
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

}  // namespace testing_support
