#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "navigation/window_names.h"
#include "platform/form.h"
#include "platform/regional_settings.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"
#include "tools/driver/program_driver.h"

// The program driven as a user drives it, in a window test: every test ends
// the program through "Да" and fails if a window of the program is left.
class ProgramFixture : public ProgramDriver {
public:
    void stop()
    {
        const QStringList left = end();
        QVERIFY2(left.isEmpty(), qPrintable("windows left after the end: " + left.join(", ")));
    }
};

// A number written with a decimal comma, as the regional settings write it.
inline QString local(QString number)
{
    return number.replace(u',', QString::fromStdU16String(platform::regionalSettings().decimalSeparator));
}
