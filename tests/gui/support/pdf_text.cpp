#include "support/pdf_text.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#ifdef Q_OS_WIN
namespace {

// The Windows build's tests run under Wine, where poppler's tools are Linux
// programs: Wine's `start /unix` starts one without waiting for it, so it
// writes under a temporary name and renames the output when it is complete.
QString unixPath(const QString& path)
{
    QProcess winepath;
    winepath.start(QStringLiteral("winepath.exe"), {QStringLiteral("-u"), QDir::toNativeSeparators(path)});
    winepath.waitForFinished(30000);
    const QString name = QString::fromLocal8Bit(winepath.readAllStandardOutput()).trimmed();
    if (name.startsWith(QLatin1Char('/')))
        return name;
    qWarning("winepath gave no Unix name for %s", qPrintable(path));
    return {};
}

}  // namespace
#endif

namespace testing_support {

namespace {

#ifdef Q_OS_WIN
// What a poppler tool prints of the PDF (`tool` then the options, the
// file where `{}` stands); empty when it cannot be run.
QString popplerOutput(const QStringList& command, const QString& path)
{
    const QString out = path + QStringLiteral(".out");
    QFile::remove(out);  // of an earlier run on the same file
    const QString unixIn = unixPath(path), unixOut = unixPath(out);
    if (unixIn.isEmpty() || unixOut.isEmpty())
        return {};
    QString script = command.join(QLatin1Char(' ')).replace(QStringLiteral("{}"), QStringLiteral(R"("$0")"));
    script += QStringLiteral(R"( >"$1.part" && mv "$1.part" "$1")");
    QProcess::execute(QStringLiteral("start.exe"), {QStringLiteral("/unix"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                                    script, unixIn, unixOut});
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(out) && !deadline.hasExpired())
        QThread::msleep(100);
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
#else
QString popplerOutput(QStringList command, const QString& path)
{
    command.replaceInStrings(QStringLiteral("{}"), path);
    QProcess process;
    process.start(command.takeFirst(), command);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
#endif

}  // namespace

QString pdfText(const QString& path)
{
    return popplerOutput({QStringLiteral("pdftotext"), QStringLiteral("-layout"), QStringLiteral("{}"), QStringLiteral("-")},
                         path);
}

// Qt's Windows font engine names an embedded face by its family with its
// style and weight appended ("-0-400"), where FreeType gives the face's own
// PostScript name: the same face either way.
QStringList pdfFaces(const QString& path)
{
    static const QRegularExpression windowsSuffix(QStringLiteral("-\\d+-\\d+$"));
    QStringList faces;
    const QStringList lines = popplerOutput({QStringLiteral("pdffonts"), QStringLiteral("{}")}, path).split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(2))
        if (!line.trimmed().isEmpty())
            faces << line.section(QLatin1Char(' '), 0, 0).remove(windowsSuffix);
    return faces;
}

}  // namespace testing_support
