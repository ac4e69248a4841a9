#include "ui/number_text.h"

#include "model/display_rounding.h"

#include <QLocale>

#include <cmath>

namespace ui {
namespace {

// The C locale with group separators refused, so "1,5" is not read as 15.
QLocale numberLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locale;
}

}  // namespace

QString formatDouble(double value)
{
    return QString::number(value, 'g', 15);
}

QString formatInt(int value)
{
    return QString::number(value);
}

QString formatResult(double value, int decimals) { return QString::fromStdString(displayFixed(value, decimals)); }

QString formatResult2(double value) { return formatResult(value, 2); }

QString formatFixed6(double value)
{
    return QString::number(value, 'f', 6);
}

std::optional<double> parseDouble(const QString& text)
{
    bool ok = false;
    const double value = numberLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInt(const QString& text)
{
    bool ok = false;
    const int value = numberLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

}  // namespace ui
