#include "ui/chinese_file_list.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace ui {
namespace {

// The columns of Qt's file system model.
enum Column { Name, Size, Type, Modified };

class ChineseFileList final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() == Name)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo file = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case Size:  // "2.00 KB", as the system's own list writes it, not "KiB"
            return file.isDir() ? QString()
                                : QLocale().formattedDataSize(file.size(), 2, QLocale::DataSizeTraditionalFormat);
        case Type: return typeText(file);
        case Modified: return QLocale().toString(file.lastModified(), QLocale::ShortFormat);
        default: return QIdentityProxyModel::data(index, role);
        }
    }

    // Sorting by a column is the file system model's own.
    void sort(int column, Qt::SortOrder order) override { sourceModel()->sort(column, order); }

private:
    static QString typeText(const QFileInfo& file)
    {
        if (file.isDir())
            return QStringLiteral("文件夹");
        if (file.suffix().isEmpty())
            return QStringLiteral("文件");
        return QStringLiteral("%1 文件").arg(file.suffix());
    }
};

}  // namespace

void showChineseFileList(QFileDialog& dialog)
{
    dialog.setProxyModel(new ChineseFileList(&dialog));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(Size, QHeaderView::ResizeToContents);
}

}  // namespace ui
