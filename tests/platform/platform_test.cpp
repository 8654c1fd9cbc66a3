// The Windows virtual-key codes of key events on every platform, a row of
// tests/data/virtual_keys.tsv each.

#include <QKeyEvent>
#include <QMetaEnum>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "platform/operating_system.h"
#include "platform/regional_settings.h"
#include "platform/runtime/runtime_error.h"
#include "platform/virtual_keys.h"
#include "platform/window_system.h"
#include "support/data_file.h"

class PlatformTest : public QObject {
    Q_OBJECT

    static QStringList words(const std::string& field)
    {
        return QString::fromStdString(field).split(' ', Qt::SkipEmptyParts);
    }

private slots:
    void keysBecomeTheirVirtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scan");
        QTest::addColumn<int>("native");
        QTest::addColumn<QString>("platformName");
        QTest::addColumn<int>("code");
        const auto keys = QMetaEnum::fromType<Qt::Key>();
        const auto modifiers = QMetaEnum::fromType<Qt::KeyboardModifiers>();
        for (const DataRow& row : dataRows("virtual_keys.tsv")) {
            QTest::addRow("%s %s on %s", row.at(0).c_str(), row.at(1).c_str(), row.at(4).c_str())
                << keys.keyToValue(row[0].c_str()) << (row[1] == "-" ? 0 : modifiers.keyToValue(row[1].c_str()))
                << std::stoi(row.at(2)) << std::stoi(row.at(3)) << QString::fromStdString(row[4]) << std::stoi(row.at(5));
        }
    }

    void keysBecomeTheirVirtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, scan);
        QFETCH(int, native);
        QFETCH(QString, platformName);
        QFETCH(int, code);
        QVERIFY(key >= 0 && modifiers >= 0);
        const auto modifier = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(platform::toWinVk(key, modifier, quint32(scan), quint32(native), platformName), code);
        if (platformName == QGuiApplication::platformName())
            QCOMPARE(platform::toWinVk(QKeyEvent(QEvent::KeyPress, key, modifier, quint32(scan), quint32(native), 0)), code);
    }

    // In a Wayland session with an X server beside it, X; the user's own choice stands.
    void theWindowSystemIsXWhereAWaylandSessionHasAnXServer_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("chosen");
        for (const DataRow& row : dataRows("window_systems.tsv"))
            QTest::newRow(row.at(0).c_str()) << words(row.at(1)) << words(row.at(2)) << QString::fromStdString(row.at(3));
    }

    void theWindowSystemIsXWhereAWaylandSessionHasAnXServer()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QString, chosen);
        const auto variable = [&](const char* name) {
            for (const QString& setting : environment) {
                if (setting.section('=', 0, 0) == QLatin1String(name))
                    return setting.section('=', 1).toStdString();
            }
            return std::string();
        };
        std::vector<std::string> given;
        for (const QString& argument : arguments)
            given.push_back(argument.toStdString());
        QCOMPARE(QString::fromStdString(platform::preferredWindowSystem(variable, given)), chosen);
    }

    // The regional settings' decimal mark, as the program reads it at start:
    // the one its environment names (a comma under the suite's Russian
    // settings), or the one a parent run of this test asks for.
    void readsTheDecimalMarkOfItsSettings()
    {
        platform::readRegionalSettings();
        QCOMPARE(QString::fromStdU16String(platform::regionalSettings().decimalSeparator),
                 qEnvironmentVariable("TESKORA_EXPECTED_MARK", ","));
    }

    // LC_ALL before LC_NUMERIC before LANG, as the manual page says: each
    // row runs the check above in a program of its own, started as a desktop
    // starts it under those variables.
    void theDecimalMarkComesFromLcAllThenLcNumericThenLang_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("mark");
        for (const DataRow& row : dataRows("decimal_mark_variables.tsv"))
            QTest::newRow(row.at(0).c_str()) << words(row.at(1)) << QString::fromStdString(row.at(2));
    }

    void theDecimalMarkComesFromLcAllThenLcNumericThenLang()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, mark);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG", "LANGUAGE"})
            environment.remove(name);
        for (const QString& variable : variables)
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        environment.insert("TESKORA_EXPECTED_MARK", mark);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"readsTheDecimalMarkOfItsSettings"});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
    }

    // The system's own file test and start of a program, as the about dialog
    // uses them: an ordinary file is named, a folder or nothing is not, and a
    // program that cannot be started raises the file-not-found error.
    void theOperatingSystemFindsFilesAndStartsPrograms()
    {
        QTemporaryDir folder;
        QFile tool(folder.filePath("MSINFO32.EXE"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        platform::OperatingSystem& system = platform::operatingSystem();
        QCOMPARE(system.fileExists(tool.fileName().toStdString()), std::string("MSINFO32.EXE"));
        QCOMPARE(system.fileExists(folder.path().toStdString()), std::string());
        QCOMPARE(system.fileExists(folder.filePath("none").toStdString()), std::string());
        try {
            system.startProgram(folder.filePath("none").toStdString());
            QFAIL("a program that is not there started");
        } catch (const platform::RuntimeError& error) {
            QCOMPARE(error.number(), platform::error::FileNotFound);
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
