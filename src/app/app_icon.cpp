#include "app_icon.h"

QIcon orvaneIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/orvane.png").arg(size), QSize(size, size));
    return icon;
}
