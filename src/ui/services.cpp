#include "ui/services.h"

#include "ui/chinese_file_list.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace ui {
namespace {

const QString kTextFiles = QStringLiteral("Txt Files (*.txt)");
const QString kLastFolder = QStringLiteral("files/lastFolder");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Orvane"));
}

// A folder a later save may start in: one the user may write to and not
// marked read-only (an administrator may write to any folder), and not the
// program's own folder, where the installer puts the examples and where on
// Windows a standard user cannot write although the folder is not marked.
bool isFolderToSaveIn(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable() || !info.permission(QFileDevice::WriteOwner))
        return false;
    const QString program = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    const QString path = info.canonicalFilePath();
    return path != program && !path.startsWith(program + QLatin1Char('/'));
}

// The folder last chosen in either file dialog, remembered between runs;
// the user's documents the first time and after a file was chosen in a
// folder no save could go to.
QString startFolder()
{
    const QString last = userSettings().value(kLastFolder).toString();
    if (!last.isEmpty() && isFolderToSaveIn(last))
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString remembered(const QString& chosen)
{
    if (chosen.isEmpty())
        return chosen;
    const QString folder = QFileInfo(chosen).absolutePath();
    if (isFolderToSaveIn(folder))
        userSettings().setValue(kLastFolder, folder);
    else
        userSettings().remove(kLastFolder);
    return chosen;
}

// On Windows the system's own dialog, which speaks the system's language as
// every other program there does. Elsewhere Qt's own dialog, translated like
// the rest of the interface: a desktop's native one would speak the process
// locale's language.
#ifdef Q_OS_WIN
constexpr QFileDialog::Options kDialogOptions = {};
#else
constexpr QFileDialog::Options kDialogOptions = QFileDialog::DontUseNativeDialog;
#endif
const QString kPdfFiles = QStringLiteral("PDF 文件 (*.pdf)");

// A name chosen in the dialog, or an empty text when the user cancels.
QString chooseFile(QWidget* parent, const QString& caption, const QString& filter, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, startFolder(), filter);
    dialog.setOptions(kDialogOptions);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    showChineseFileList(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

// A window manager cuts a caption the box leaves no room for ("O… e" over
// a short message): the box is kept as wide as the caption beside a title
// bar's icon and three buttons, 46 pixels each as Windows draws them.
void keepCaptionRoom(QMessageBox& box, const QString& caption)
{
    constexpr int kTitleBarRoom = 3 * 46 + 48;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = QFontMetrics(QApplication::font()).horizontalAdvance(caption) + kTitleBarRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    keepCaptionRoom(box, caption);
    box.exec();
}

bool confirmReplace(QWidget* parent, const QString& path)
{
    const QString question = QStringLiteral("%1 已存在。\n要替换它吗？")
                                 .arg(QFileInfo(path).fileName());
    return QMessageBox::question(parent, QStringLiteral("Orvane"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

}  // namespace

// The dialog confirms replacing the name it was given; the extension is added
// afterwards, so replacing the file with the extension is asked here.
QString askFileToSave(QWidget* parent, const QString& caption, const QString& filter, const QString& extension)
{
    const QString chosen =
        remembered(chooseFile(parent, caption, filter, QFileDialog::AcceptSave));
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    const QString withExtension = chosen + QLatin1Char('.') + extension;
    if (QFileInfo::exists(withExtension) && !confirmReplace(parent, withExtension))
        return QString();
    return withExtension;
}

QString askFileToOpen(QWidget* parent, const QString& caption, const QString& filter)
{
    return remembered(chooseFile(parent, caption, filter, QFileDialog::AcceptOpen));
}

namespace {

class DesktopServices final : public Services {
public:
    void showMessage(QWidget* parent, const QString& text) override
    {
        showBox(parent, QMessageBox::NoIcon, QStringLiteral("Orvane"), text);
    }

    void showNotice(QWidget* parent, const QString& text) override
    {
        showBox(parent, QMessageBox::Information, QStringLiteral("提示"), text);
    }

    QString askSaveFileName(QWidget* parent) override
    {
        return askFileToSave(parent, QStringLiteral("保存工程文件"), kTextFiles, QStringLiteral("txt"));
    }

    QString askOpenFileName(QWidget* parent) override { return askFileToOpen(parent, QStringLiteral("打开工程文件"), kTextFiles); }

    QString askReportFileName(QWidget* parent) override
    {
        return askFileToSave(parent, QStringLiteral("导出计算书"), kPdfFiles, QStringLiteral("pdf"));
    }

    QDateTime now() override { return QDateTime::currentDateTime(); }
};

DesktopServices& desktopServices()
{
    static DesktopServices instance;
    return instance;
}

Services* installed = nullptr;

}  // namespace

Services& services()
{
    return installed ? *installed : desktopServices();
}

void setServices(Services* replacement)
{
    installed = replacement;
}

}  // namespace ui
