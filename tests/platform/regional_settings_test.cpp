#include <QTest>

#include "platform/regional_settings.h"

// Run with LC_ALL=ru_RU.UTF-8, as ctest sets it: Qt reads the variables itself,
// no system locale needs to be installed.
class RegionalSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void russianSettingsGiveTheCommaAndTheNoBreakSpace()
    {
        const auto format = platform::numberFormatOf(QLocale(QLocale::Russian, QLocale::Russia));
        QVERIFY(format.decimalSeparator == u",");
        QVERIFY(format.groupSeparator == u"\u00A0");
        QVERIFY(format.negativeSign == u"-");
    }

    void theUsersSettingsComeFromTheEnvironment()
    {
        platform::readRegionalSettings();
        QVERIFY(platform::regionalSettings().decimalSeparator == u",");
        QCOMPARE(platform::textToNumber("1,5"), std::optional<double>(1.5));
        QCOMPARE(platform::textToNumber("1.5"), std::optional<double>());
        QCOMPARE(platform::generalText(-0.5), QString("-0,5"));
        QCOMPARE(platform::decimalText(1.5E-10), QString("0,00000000015"));
    }
};

QTEST_MAIN(RegionalSettingsTest)
#include "regional_settings_test.moc"
