// Base of every form: a modal dialog whose values are exchanged with its
// boxes in one declared order, as the form's exchange() lists them.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

#include <initializer_list>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// One pass of the exchange between a form's values and its boxes. Showing
// writes each value into its box; reading parses each box into its value and
// stops at the first box that cannot be read: that box gets the focus, the
// user is told what to type, and the remaining values keep what they held.
class DataExchange {
public:
    enum class Direction { Show, Read };
    explicit DataExchange(Direction direction);

    void text(QLineEdit* box, double& value);
    void text(QLineEdit* box, int& value);
    // Index of the checked button in group order, -1 when none is checked.
    // Shown, an auto-exclusive group is one Tab stop: its checked button.
    void radio(std::initializer_list<QRadioButton*> group, int& value);
    void check(QCheckBox* box, int& value);

    bool failed() const { return failedBox_ != nullptr; }
    QWidget* failedBox() const { return failedBox_; }
    QString failureMessage() const { return failureMessage_; }

private:
    bool reading() const { return direction_ == Direction::Read; }
    bool skipping() const { return failed(); }
    void fail(QLineEdit* box, const QString& message);

    Direction direction_;
    QWidget* failedBox_ = nullptr;
    QString failureMessage_;
};

class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);

protected:
    // Binds the form's values to its boxes, in the declared order.
    virtual void exchange(DataExchange& dx) = 0;
    // Reads every box into the form's values. False when a box could not be
    // read; the user has then been told, and that box has the focus.
    bool readForm();
    // Writes the form's values into the boxes.
    void showForm();
    // A message box over this form with the caption "Orvane".
    void message(const QString& text);
    // Shows the message of a check's fault, if it found one; true when it did.
    bool refused(const QString& fault);
    // The default OK: read the form and close only if that succeeded.
    void accept() override;
    // A form shown again (a layer form, once per layer) opens where it last
    // closed. Left to Qt, each new showing of the same window would open
    // lower by the height of the window manager's title bar.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::optional<QPoint> closedAt_;
};

// Sets the form font: 宋体 at the given size, resolved to an installed
// Chinese serif face.
void setFormFont(QWidget* form, int pointSize);

// Where 宋体 (SimSun) is not installed, makes 宋体 and SimSun resolve to Noto
// Serif CJK SC (or WenQuanYi Micro Hei) under every locale; where it is, as
// on Windows, the forms keep the real face. Called once at start-up, and by
// the tests.
void installFontSubstitutions();

// Makes a button as wide as its text and the style's margins, below the
// style's least button width, so that two buttons share a cell of a form's
// grid with a gap. Call once the button has its text and font.
void fitButtonToText(QPushButton* button);

// Enables the buttons of `enable` and disables those of `disable`.
void setEnabled(std::initializer_list<QWidget*> enable, std::initializer_list<QWidget*> disable);

}  // namespace ui
