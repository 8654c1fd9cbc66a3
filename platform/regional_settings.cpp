#include "platform/regional_settings.h"

namespace platform {

namespace {

NumberFormat& settings()
{
    static NumberFormat format = numberFormatOf(QLocale::system());
    return format;
}

}  // namespace

NumberFormat numberFormatOf(const QLocale& locale)
{
    return NumberFormat{locale.decimalPoint().toStdU16String(), locale.groupSeparator().toStdU16String(),
                        locale.negativeSign().toStdU16String(), locale.positiveSign().toStdU16String()};
}

void readRegionalSettings()
{
    settings() = numberFormatOf(QLocale::system());
}

const NumberFormat& regionalSettings()
{
    return settings();
}

std::optional<double> textToNumber(const QString& text)
{
    return parseNumber(text.toStdU16String(), settings());
}

QString generalText(double value)
{
    return QString::fromStdU16String(writeGeneral(value, settings()));
}

QString decimalText(double value)
{
    return QString::fromStdU16String(writeDecimal(value, settings()));
}

}  // namespace platform
