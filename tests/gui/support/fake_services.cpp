#include "fake_services.h"

namespace testing_support {

FakeServices::FakeServices()
{
    ui::setServices(this);
}

FakeServices::~FakeServices()
{
    ui::setServices(nullptr);
}

QStringList FakeServices::texts() const
{
    QStringList result;
    for (const ShownMessage& message : shown_)
        result << message.text;
    return result;
}

QString FakeServices::lastText() const
{
    return shown_.isEmpty() ? QString() : shown_.last().text;
}

void FakeServices::showMessage(QWidget* parent, const QString& text)
{
    shown_.append({ShownMessage::Kind::Message, text, parent});
}

void FakeServices::showNotice(QWidget* parent, const QString& text)
{
    shown_.append({ShownMessage::Kind::Notice, text, parent});
}

QString FakeServices::askSaveFileName(QWidget*)
{
    return nextFileAnswer();
}

QString FakeServices::askOpenFileName(QWidget*)
{
    return nextFileAnswer();
}

QString FakeServices::askReportFileName(QWidget*)
{
    return nextFileAnswer();
}

QString FakeServices::nextFileAnswer()
{
    ++fileDialogsAsked_;
    return fileAnswers_.isEmpty() ? QString() : fileAnswers_.takeFirst();
}

}  // namespace testing_support
