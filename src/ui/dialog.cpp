#include "ui/dialog.h"

#include "ui/number_text.h"
#include "ui/services.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHideEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace ui {
namespace {

const QString kEnterNumber = QStringLiteral("请输入一个数字。");
const QString kEnterInteger = QStringLiteral("请输入一个整数。");

int checkedIndex(std::initializer_list<QRadioButton*> group)
{
    int index = 0;
    for (QRadioButton* button : group) {
        if (button->isChecked())
            return index;
        ++index;
    }
    return -1;
}

// Exclusive radio buttons refuse to be unchecked one by one, so exclusivity
// is lifted while the states are set: that lets "none checked" be shown.
void checkOnly(std::initializer_list<QRadioButton*> group, int index)
{
    std::vector<QButtonGroup*> exclusiveGroups;
    for (QRadioButton* button : group) {
        QButtonGroup* owner = button->group();
        if (owner && owner->exclusive()) {
            owner->setExclusive(false);
            exclusiveGroups.push_back(owner);
        }
    }
    int position = 0;
    for (QRadioButton* button : group) {
        const bool autoExclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(position == index);
        button->setAutoExclusive(autoExclusive);
        ++position;
    }
    for (QButtonGroup* owner : exclusiveGroups)
        owner->setExclusive(true);
}

// Tab stops once at a group of auto-exclusive buttons, on its checked
// button, as on Windows; the others take the focus by a click or by the
// arrow keys, which Qt moves among such buttons whatever their policy. With
// none checked Qt's own order holds (the first button). Kept up as the user
// checks another.
void tabStopOnTheChecked(std::initializer_list<QRadioButton*> group)
{
    std::vector<QPointer<QRadioButton>> buttons;
    for (QRadioButton* button : group)
        if (button->autoExclusive())
            buttons.emplace_back(button);
    const auto update = [buttons] {
        const bool anyChecked =
            std::any_of(buttons.begin(), buttons.end(), [](const auto& b) { return b && b->isChecked(); });
        for (const QPointer<QRadioButton>& button : buttons)
            if (button)
                button->setFocusPolicy(!anyChecked || button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    static const char* const kKeptUp = "orvaneTabStopKeptUp";
    for (const QPointer<QRadioButton>& button : buttons)
        if (!button->property(kKeptUp).toBool()) {
            button->setProperty(kKeptUp, true);
            QObject::connect(button, &QAbstractButton::toggled, button, update);
        }
    update();
}

}  // namespace

DataExchange::DataExchange(Direction direction) : direction_(direction) {}

void DataExchange::text(QLineEdit* box, double& value)
{
    if (skipping())
        return;
    if (!reading()) {
        box->setText(formatDouble(value));
        return;
    }
    if (const auto parsed = parseDouble(box->text()))
        value = *parsed;
    else
        fail(box, kEnterNumber);
}

void DataExchange::text(QLineEdit* box, int& value)
{
    if (skipping())
        return;
    if (!reading()) {
        box->setText(formatInt(value));
        return;
    }
    if (const auto parsed = parseInt(box->text()))
        value = *parsed;
    else
        fail(box, kEnterInteger);
}

void DataExchange::radio(std::initializer_list<QRadioButton*> group, int& value)
{
    if (skipping())
        return;
    if (reading()) {
        value = checkedIndex(group);
    } else {
        checkOnly(group, value);
        tabStopOnTheChecked(group);
    }
}

void DataExchange::check(QCheckBox* box, int& value)
{
    if (skipping())
        return;
    if (reading())
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DataExchange::fail(QLineEdit* box, const QString& message)
{
    failedBox_ = box;
    failureMessage_ = message;
}

Dialog::Dialog(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

bool Dialog::readForm()
{
    DataExchange dx(DataExchange::Direction::Read);
    exchange(dx);
    if (!dx.failed())
        return true;
    message(dx.failureMessage());
    QWidget* box = dx.failedBox();
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
    return false;
}

void Dialog::showForm()
{
    DataExchange dx(DataExchange::Direction::Show);
    exchange(dx);
}

void Dialog::message(const QString& text)
{
    services().showMessage(this, text);
}

bool Dialog::refused(const QString& fault)
{
    if (fault.isEmpty())
        return false;
    message(fault);
    return true;
}

void Dialog::accept()
{
    if (readForm())
        QDialog::accept();
}

void Dialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && closedAt_)
        setGeometry(QRect(*closedAt_, size()));
    QDialog::showEvent(event);
}

void Dialog::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        closedAt_ = geometry().topLeft();
    QDialog::hideEvent(event);
}

void setFormFont(QWidget* form, int pointSize)
{
    form->setFont(QFont(QStringLiteral("宋体"), pointSize));
}

// Used only where 宋体 itself is missing: Windows without its Chinese
// supplemental fonts, and Linux.
void installFontSubstitutions()
{
    const QStringList chineseSerif{QStringLiteral("NSimSun"), QStringLiteral("Microsoft YaHei"),
                                   QStringLiteral("SimHei"), QStringLiteral("Noto Serif CJK SC"),
                                   QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), chineseSerif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), chineseSerif);
}

void fitButtonToText(QPushButton* button)
{
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin);
}

void setEnabled(std::initializer_list<QWidget*> enable, std::initializer_list<QWidget*> disable)
{
    for (QWidget* widget : enable)
        widget->setEnabled(true);
    for (QWidget* widget : disable)
        widget->setEnabled(false);
}

}  // namespace ui
