// Small helpers for driving forms in tests.
#pragma once

#include <QStringList>

class QLineEdit;

namespace testing_support {

// Replaces the text of a box as a user does: select all, then type. Chinese
// text goes in as one key event with that text (QTest::keyClicks is ASCII only).
void typeInto(QLineEdit* box, const QString& text);

// Top-level widgets still alive, after pending deletions ran; a test's
// cleanup() expects none.
QStringList leakedTopLevelWidgets();

}  // namespace testing_support

#define VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS()                                   \
    do {                                                                       \
        const QStringList leaked = testing_support::leakedTopLevelWidgets();   \
        QVERIFY2(leaked.isEmpty(), qPrintable(leaked.join(QStringLiteral(", ")))); \
    } while (false)
