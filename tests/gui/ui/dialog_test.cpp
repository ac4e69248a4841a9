// The exchange between a form's values and its boxes, and what a form does
// with a box it cannot read.
#include "support/fake_services.h"
#include "support/widgets.h"
#include "ui/dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

using testing_support::FakeServices;
using testing_support::ShownMessage;
using testing_support::typeInto;

namespace {

// A form with one box of each kind, exchanged in the order they are declared.
class SampleForm : public ui::Dialog {
public:
    explicit SampleForm(bool useButtonGroup = false)
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* widget : std::initializer_list<QWidget*>{lengthBox, countBox, depthBox, first, second,
                                                                third, flagBox, okButton})
            layout->addWidget(widget);
        if (useButtonGroup) {
            auto* group = new QButtonGroup(this);
            group->addButton(first);
            group->addButton(second);
            group->addButton(third);
        }
        connect(okButton, &QPushButton::clicked, this, &SampleForm::accept);
        flagBox->setObjectName(QStringLiteral("flag"));
    }

    using ui::Dialog::readForm;
    using ui::Dialog::refused;
    using ui::Dialog::showForm;

    double length = 0;
    int count = 0;
    double depth = 0;
    int choice = 0;
    int flag = 0;

    QLineEdit* lengthBox = new QLineEdit;
    QLineEdit* countBox = new QLineEdit;
    QLineEdit* depthBox = new QLineEdit;
    QRadioButton* first = new QRadioButton(QStringLiteral("first"));
    QRadioButton* second = new QRadioButton(QStringLiteral("second"));
    QRadioButton* third = new QRadioButton(QStringLiteral("third"));
    QCheckBox* flagBox = new QCheckBox(QStringLiteral("flag"));
    QPushButton* okButton = new QPushButton(QStringLiteral("OK"));

protected:
    void exchange(ui::DataExchange& dx) override
    {
        dx.text(lengthBox, length);
        dx.text(countBox, count);
        dx.text(depthBox, depth);
        dx.radio({first, second, third}, choice);
        dx.check(flagBox, flag);
    }
};

void fill(SampleForm& form, const QString& length, const QString& count, const QString& depth)
{
    typeInto(form.lengthBox, length);
    typeInto(form.countBox, count);
    typeInto(form.depthBox, depth);
}

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void showWritesEveryValueIntoItsBox()
    {
        SampleForm form;
        form.length = 2.5;
        form.count = 3;
        form.depth = 1e-5;
        form.choice = 1;
        form.flag = 1;
        form.showForm();
        QCOMPARE(form.lengthBox->text(), QStringLiteral("2.5"));
        QCOMPARE(form.countBox->text(), QStringLiteral("3"));
        QCOMPARE(form.depthBox->text(), QStringLiteral("1e-05"));
        QVERIFY(form.second->isChecked());
        QVERIFY(form.flagBox->isChecked());
    }

    void readTakesWhatWasTyped()
    {
        FakeServices services;
        SampleForm form;
        fill(form, QStringLiteral(" .5 "), QStringLiteral("49"), QStringLiteral("-1e-3"));
        form.third->setChecked(true);
        form.flagBox->setChecked(true);
        QVERIFY(form.readForm());
        QCOMPARE(form.length, 0.5);
        QCOMPARE(form.count, 49);
        QCOMPARE(form.depth, -0.001);
        QCOMPARE(form.choice, 2);
        QCOMPARE(form.flag, 1);
        QVERIFY(services.shown().isEmpty());
    }

    void readStopsAtTheFirstBadBox_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<int>("badBox");  // 0 length, 1 count, 2 depth
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<double>("lengthAfter");
        QTest::addColumn<int>("countAfter");
        const QString number = QStringLiteral("请输入一个数字。");
        const QString integer = QStringLiteral("请输入一个整数。");
        QTest::newRow("letters in a number") << "abc" << "2" << "x" << 0 << number << 7.0 << 5;
        QTest::newRow("empty number") << "" << "2" << "3" << 0 << number << 7.0 << 5;
        QTest::newRow("infinity is not a number") << "inf" << "2" << "3" << 0 << number << 7.0 << 5;
        QTest::newRow("decimal comma") << "1,5" << "2" << "3" << 0 << number << 7.0 << 5;
        QTest::newRow("fraction in an integer") << "4" << "1.5" << "3" << 1 << integer << 4.0 << 5;
        QTest::newRow("integer out of range") << "4" << "99999999999" << "3" << 1 << integer << 4.0 << 5;
        QTest::newRow("not a number after good ones") << "4" << "2" << "nan" << 2 << number << 4.0 << 2;
    }

    // The values before the bad box are read, the bad one and those after it
    // keep what they held, the user is told and the focus goes to the box.
    void readStopsAtTheFirstBadBox()
    {
        QFETCH(QString, length);
        QFETCH(QString, count);
        QFETCH(QString, depth);
        QFETCH(int, badBox);
        QFETCH(QString, prompt);
        QFETCH(double, lengthAfter);
        QFETCH(int, countAfter);

        FakeServices services;
        SampleForm form;
        form.length = 7;
        form.count = 5;
        form.depth = 9;
        form.choice = 0;
        form.showForm();
        form.show();
        fill(form, length, count, depth);
        form.second->setChecked(true);

        QVERIFY(!form.readForm());
        QCOMPARE(form.length, lengthAfter);
        QCOMPARE(form.count, countAfter);
        QCOMPARE(form.depth, 9.0);
        QCOMPARE(form.choice, 0);
        QCOMPARE(services.texts(), QStringList{prompt});
        QCOMPARE(services.shown().first().kind, ShownMessage::Kind::Message);
        QCOMPARE(services.shown().first().parent, &form);
        QLineEdit* bad = QList<QLineEdit*>{form.lengthBox, form.countBox, form.depthBox}.at(badBox);
        QCOMPARE(form.focusWidget(), bad);
        QCOMPARE(bad->selectedText(), bad->text());
    }

    void okClosesOnlyAReadableForm()
    {
        FakeServices services;
        SampleForm form;
        form.show();
        fill(form, QStringLiteral("abc"), QStringLiteral("1"), QStringLiteral("2"));
        QTest::mouseClick(form.okButton, Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(services.texts(), QStringList{QStringLiteral("请输入一个数字。")});

        typeInto(form.lengthBox, QStringLiteral("3"));
        QTest::mouseClick(form.okButton, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.length, 3.0);
    }

    // A check's fault is told over the form; no fault, no message.
    void refusedTellsOnlyAFault()
    {
        FakeServices services;
        SampleForm form;
        QVERIFY(!form.refused(QString()));
        QVERIFY(services.shown().isEmpty());
        QVERIFY(form.refused(QStringLiteral("请输入桩间距！")));
        QCOMPARE(services.texts(), QStringList{QStringLiteral("请输入桩间距！")});
        QCOMPARE(services.shown().first().parent, &form);
    }

    void radioShowsAndReadsItsIndex_data()
    {
        QTest::addColumn<bool>("useButtonGroup");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("checkedAfterShow");
        for (const bool grouped : {false, true}) {
            const QByteArray kind = grouped ? "button group/" : "auto-exclusive/";
            QTest::newRow((kind + "first").constData()) << grouped << 0 << 0;
            QTest::newRow((kind + "last").constData()) << grouped << 2 << 2;
            QTest::newRow((kind + "none").constData()) << grouped << -1 << -1;
            QTest::newRow((kind + "out of range").constData()) << grouped << 3 << -1;
        }
    }

    // Showing starts from another checked button, so "none" must uncheck it;
    // the buttons stay mutually exclusive afterwards.
    void radioShowsAndReadsItsIndex()
    {
        QFETCH(bool, useButtonGroup);
        QFETCH(int, shown);
        QFETCH(int, checkedAfterShow);
        FakeServices services;
        SampleForm form(useButtonGroup);
        form.second->setChecked(true);
        form.choice = shown;
        form.showForm();
        QVERIFY(form.readForm());
        QCOMPARE(form.choice, checkedAfterShow);

        form.first->click();
        form.third->click();
        QVERIFY(!form.first->isChecked());
        QVERIFY(form.readForm());
        QCOMPARE(form.choice, 2);
    }

    // Tab enters a radio group on its checked button (also one the user
    // checked after the form was shown) and the next Tab leaves the group;
    // Shift+Tab comes back to the checked button. With none checked, Tab
    // lands on the first button.
    void tabEntersARadioGroupOnItsCheckedButton_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("clicked");  // -1: none
        QTest::addColumn<int>("stop");     // the button Tab lands on
        QTest::addColumn<QString>("next"); // what the next Tab lands on
        QTest::addRow("first checked") << 0 << -1 << 0 << QStringLiteral("flag");
        QTest::addRow("middle checked") << 1 << -1 << 1 << QStringLiteral("flag");
        QTest::addRow("last checked") << 2 << -1 << 2 << QStringLiteral("flag");
        QTest::addRow("checked by the user") << 0 << 2 << 2 << QStringLiteral("flag");
        QTest::addRow("none checked") << -1 << -1 << 0 << QStringLiteral("flag");
    }

    void tabEntersARadioGroupOnItsCheckedButton()
    {
        QFETCH(int, shown);
        QFETCH(int, clicked);
        QFETCH(int, stop);
        QFETCH(QString, next);
        SampleForm form;
        const QList<QRadioButton*> buttons{form.first, form.second, form.third};
        form.choice = shown;
        form.showForm();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        if (clicked >= 0)
            buttons[clicked]->click();
        form.depthBox->setFocus();

        QTest::keyClick(&form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), buttons[stop]);
        QTest::keyClick(&form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
        if (shown >= 0) {
            QTest::keyClick(&form, Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), buttons[stop]);
        }
    }

    void checkBoxShowsAndReadsZeroOrOne()
    {
        FakeServices services;
        SampleForm form;
        form.flag = 1;
        form.showForm();
        QVERIFY(form.flagBox->isChecked());
        form.flag = 0;
        form.showForm();
        QVERIFY(!form.flagBox->isChecked());
        form.flagBox->click();
        QVERIFY(form.readForm());
        QCOMPARE(form.flag, 1);
    }

    void formsAreModalWithoutContextHelp()
    {
        SampleForm form;
        QVERIFY(form.isModal());
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    }

    void formFontResolvesToAChineseSerif()
    {
        ui::installFontSubstitutions();
        SampleForm form;
        ui::setFormFont(&form, 9);
        QCOMPARE(form.font().family(), QStringLiteral("宋体"));
        QCOMPARE(form.font().pointSize(), 9);
        const QString resolved = QFontInfo(form.lengthBox->font()).family();
        const QStringList expected = QFontDatabase::hasFamily(QStringLiteral("SimSun"))
                                         ? QStringList{QStringLiteral("SimSun"), QStringLiteral("宋体")}
                                         : QStringList{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Micro Hei")};
        QVERIFY2(expected.contains(resolved), qPrintable(resolved));
    }

    void setEnabledSwitchesBothLists()
    {
        SampleForm form;
        form.depthBox->setEnabled(false);
        ui::setEnabled({form.depthBox}, {form.lengthBox, form.countBox});
        QVERIFY(form.depthBox->isEnabled());
        QVERIFY(!form.lengthBox->isEnabled());
        QVERIFY(!form.countBox->isEnabled());
    }
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
