#include "ui/chinese_interface.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool installChineseQtTexts()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm"))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

}  // namespace ui
