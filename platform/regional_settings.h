#pragma once

#include <optional>

#include <QLocale>
#include <QString>

#include "platform/runtime/number_rules.h"

namespace platform {

// The number format of a Qt locale.
NumberFormat numberFormatOf(const QLocale& locale);

// Reads the user's regional settings once, from the system (LC_ALL, else
// LC_NUMERIC, else LANG); the number rules of every window follow them.
void readRegionalSettings();
const NumberFormat& regionalSettings();

// The number rules under the user's regional settings, on the texts of boxes.
std::optional<double> textToNumber(const QString& text);
QString generalText(double value);
QString decimalText(double value);

// UTF-8 of the runtime's texts to Qt's.
inline QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace platform
