#include "support/pdf_text.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
namespace {

// The Windows build's tests run under Wine, where pdftotext is a Linux
// program: Wine's `start /unix` starts it without waiting for it, so it
// writes under a temporary name and renames the text when it is complete.
QString unixPath(const QString& path)
{
    QProcess winepath;
    winepath.start(QStringLiteral("winepath.exe"), {QStringLiteral("-u"), QDir::toNativeSeparators(path)});
    winepath.waitForFinished(30000);
    return QString::fromLocal8Bit(winepath.readAllStandardOutput()).trimmed();
}

}  // namespace
#endif

namespace testing_support {

#ifdef Q_OS_WIN
QString pdfText(const QString& path)
{
    const QString text = path + QStringLiteral(".txt");
    QFile::remove(text);  // of an earlier report of the same name
    const QString script = QStringLiteral(R"(pdftotext -layout "$0" "$1.part" && mv "$1.part" "$1")");
    QProcess::execute(QStringLiteral("start.exe"), {QStringLiteral("/unix"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                                    script, unixPath(path), unixPath(text)});
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(text) && !deadline.hasExpired())
        QThread::msleep(100);
    QFile file(text);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
#else
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
#endif

}  // namespace testing_support
