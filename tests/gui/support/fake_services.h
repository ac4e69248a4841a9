// Desktop services for tests: messages are recorded instead of shown, file
// dialogs answer from a queue of names, and the clock stands still. Installed
// for the lifetime of the object.
#pragma once

#include "ui/services.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace testing_support {

struct ShownMessage {
    enum class Kind { Message, Notice };  // caption "Orvane", caption "提示"
    Kind kind;
    QString text;
    QWidget* parent;
};

class FakeServices final : public ui::Services {
public:
    FakeServices();
    ~FakeServices() override;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    // The answers of the next file dialogs, save and open alike, in order;
    // an empty name is a cancel, and so is a dialog with no answer left.
    void answerFileDialogs(const QStringList& names) { fileAnswers_ += names; }
    int fileDialogsAsked() const { return fileDialogsAsked_; }

    const QList<ShownMessage>& shown() const { return shown_; }
    // The texts of every message and notice, in the order they were shown.
    QStringList texts() const;
    QString lastText() const;
    void clearShown() { shown_.clear(); }

    void setClock(const QDateTime& moment) { clock_ = moment; }

    void showMessage(QWidget* parent, const QString& text) override;
    void showNotice(QWidget* parent, const QString& text) override;
    QString askSaveFileName(QWidget* parent) override;
    QString askOpenFileName(QWidget* parent) override;
    QString askReportFileName(QWidget* parent) override;
    QDateTime now() override { return clock_; }

private:
    QString nextFileAnswer();

    QList<ShownMessage> shown_;
    QStringList fileAnswers_;
    int fileDialogsAsked_ = 0;
    QDateTime clock_{QDate(2026, 3, 14), QTime(9, 26)};
};

}  // namespace testing_support
