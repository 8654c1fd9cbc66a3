#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

#include "shell/fake_system.h"
#include "shell/OProgramme_frm.h"
#include "support/program_fixture.h"

namespace {
const std::string FirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string SecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Unavailable = "System Information Is Unavailable At This Time";
}  // namespace

// The about dialog, and the way it finds and starts the system-information tool.
class AboutTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    OProgramme_frm* openAbout()
    {
        program.click(window::Baza_frm, "OProgr_cmd");
        program.activate(window::OProgramme_frm);
        return static_cast<OProgramme_frm*>(program.window(window::OProgramme_frm));
    }

    // Presses "Информация о системе..." and gives what happened.
    void pressSysInfo() { program.click(window::OProgramme_frm, "cmdSysInfo"); }

    QStringList shownMessages() const
    {
        QStringList texts;
        for (const auto& message : program.messages)
            texts.append(message.text);
        return texts;
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void showsTitleVersionAndDescription()
    {
        OProgramme_frm* about = openAbout();
        QCOMPARE(about->windowTitle(), QString("                                  О программе"));
        QCOMPARE(about->size(), QSize(375, 218));
        QCOMPARE(program.control<QLabel>(window::OProgramme_frm, "lblTitle")->text(), QString("Реализация метода вращений"));
        QCOMPARE(program.control<QLabel>(window::OProgramme_frm, "lblVersion")->text(), QString("Version 2.3.28"));
        QVERIFY(program.control<QLabel>(window::OProgramme_frm, "Label1")->text().startsWith("Данная программа"));
        auto* emblem = program.control<QLabel>(window::OProgramme_frm, "picIcon");
        QCOMPARE(emblem->size(), QSize(32, 32));
        QVERIFY(!emblem->pixmap().isNull());
        QCOMPARE(program.focusName(), ProgramFixture::at(window::OProgramme_frm, "cmdOK"));
        QCOMPARE(program.button(window::OProgramme_frm, "cmdOK")->toolTip(), QString("Вернуться в программу"));
        QCOMPARE(program.button(window::OProgramme_frm, "cmdSysInfo")->toolTip(), QString("Узнать информацию о вашем компьютере"));
    }

    void openedTwiceIsOneDialogAndTheMainWindowStaysUsable()
    {
        openAbout();
        program.click(window::Baza_frm, "OProgr_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::OProgramme_frm}));
        program.click(window::Baza_frm, "Start_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm, window::OProgramme_frm}));
    }

    void enterAndEscCloseItAndItOpensAfreshAndCentred()
    {
        openAbout();
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        openAbout();
        program.button(window::OProgramme_frm, "cmdSysInfo")->setFocus();
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        OProgramme_frm* about = openAbout();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY(qAbs(about->frameGeometry().center().x() - screen.center().x()) <= 1);
        QCOMPARE(program.control<QLabel>(window::OProgramme_frm, "lblVersion")->text(), QString("Version 2.3.28"));
        about->close();  // the title bar's close acts as "OK"
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void enterOnTheFocusedSysInfoButtonStartsTheTool()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(FirstKey, "PATH", "C:\\Windows\\msinfo32.exe");
        system.programs.insert("C:\\Windows\\msinfo32.exe");
        openAbout();
        program.button(window::OProgramme_frm, "cmdSysInfo")->setFocus();
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(system.started, std::vector<std::string>({"C:\\Windows\\msinfo32.exe"}));
        QVERIFY(program.window(window::OProgramme_frm));
    }

    void firstEntryIsStartedAsReadAndTheSecondIsNotTried()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(FirstKey, "PATH", "D:\\Tools\\info.exe");
        registry.setString(SecondKey, "MSINFO", "C:\\Other");
        system.programs.insert("D:\\Tools\\info.exe");
        openAbout();
        pressSysInfo();
        QCOMPARE(system.started, std::vector<std::string>({"D:\\Tools\\info.exe"}));
        QCOMPARE(registry.opened, std::vector<std::string>({FirstKey}));
        QVERIFY(system.tested.empty());  // the full path is not tested
        QVERIFY(program.messages.isEmpty());
        QCOMPARE(registry.open, 0);
        // Read rights only.
        QCOMPARE(registry.accesses, std::vector<std::uint32_t>({0x20019u}));
    }

    void firstEntryNamingNoProgramEndsInTheMessage()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(FirstKey, "PATH", "D:\\nothing.exe");
        registry.setString(SecondKey, "MSINFO", "C:\\Tools");
        system.files.insert("C:\\Tools\\MSINFO32.EXE");
        system.programs.insert("C:\\Tools\\MSINFO32.EXE");
        openAbout();
        pressSysInfo();
        QVERIFY(system.started.empty());
        QCOMPARE(registry.opened, std::vector<std::string>({FirstKey}));
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
        QCOMPARE(program.messages[0].title, QString("Реализация метода вращений"));
        QCOMPARE(program.messages[0].icon, platform::MessageIcon::None);
        QVERIFY(program.window(window::OProgramme_frm));
    }

    void secondEntryIsUsedOnlyWhereItsFileExists_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("path");
        QTest::newRow("file there") << "C:\\Tools" << true << "C:\\Tools\\MSINFO32.EXE";
        QTest::newRow("folder ending in a separator") << "C:\\Tools\\" << true << "C:\\Tools\\\\MSINFO32.EXE";
        QTest::newRow("file missing") << "C:\\Tools" << false << "C:\\Tools\\MSINFO32.EXE";
    }

    void secondEntryIsUsedOnlyWhereItsFileExists()
    {
        QFETCH(QString, folder);
        QFETCH(bool, fileThere);
        QFETCH(QString, path);
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(SecondKey, "MSINFO", folder.toStdString());
        if (fileThere)
            system.files.insert(path.toStdString());
        system.programs.insert(path.toStdString());
        openAbout();
        pressSysInfo();
        QCOMPARE(system.tested, std::vector<std::string>({path.toStdString()}));
        QCOMPARE(system.started.empty(), !fileThere);
        QCOMPARE(program.messages.isEmpty(), fileThere);
        QCOMPARE(registry.open, 0);
    }

    void nothingRecordedEndsInTheMessage()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        openAbout();
        pressSysInfo();
        QCOMPARE(registry.opened, std::vector<std::string>({FirstKey, SecondKey}));
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
        pressSysInfo();  // the registry is read again, the dialog stays
        QCOMPARE(registry.opened.size(), std::size_t(4));
        QCOMPARE(program.messages.size(), 2);
    }

    void refusedKeyCountsAsMissing()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(FirstKey, "PATH", "C:\\a.exe");
        registry.keys[FirstKey].refused = true;
        system.programs.insert("C:\\a.exe");
        openAbout();
        pressSysInfo();
        QVERIFY(system.started.empty());
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
    }

    void startThatFailsEndsInTheMessage()
    {
        MemoryRegistry registry;
        RecordingSystem system;
        registry.setString(FirstKey, "PATH", "C:\\broken.exe");  // no such program
        openAbout();
        pressSysInfo();
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
    }

    void valuesAreReadByTheirLengthTypeAndNul()
    {
        MemoryRegistry registry;
        registry.setString("K", "with", "abc", true);
        registry.setString("K", "without", "abc", false);
        registry.setString("K", "longest", std::string(1023, 'x'), true);
        registry.setString("K", "too long", std::string(1024, 'x'), true);
        registry.keys["K"].values["number"] = {platform::registry::Number, std::string("\x78\x56\x34\x12", 4)};
        registry.keys["K"].values["negative"] = {platform::registry::Number, std::string("\xFF\xFF\xFF\xFF", 4)};
        registry.keys["K"].values["binary"] = {3, std::string("\x01\x02", 2)};
        registry.keys["K"].values["empty"] = {platform::registry::String, std::string()};

        std::string value;
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "with", value));
        QCOMPARE(value, std::string("abc"));
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "without", value));
        QCOMPARE(value, std::string("abc"));
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "longest", value));
        QCOMPARE(value.size(), std::size_t(1023));
        QVERIFY(!OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "too long", value));
        QCOMPARE(value, std::string());
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "number", value));
        QCOMPARE(value, std::string("305419896"));  // &h12345678
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "negative", value));
        QCOMPARE(value, std::string("-1"));
        value = "kept";
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "binary", value));
        QCOMPARE(value, std::string("kept"));
        QVERIFY(!OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "absent", value));
        QVERIFY(!OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "absent", "with", value));
        QVERIFY_THROWS_EXCEPTION(platform::RuntimeError,
                                 OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, "K", "empty", value));
        QCOMPARE(registry.open, 0);
    }

    void unreadableValuesEndInTheMessage_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("tested");
        QTest::newRow("zero bytes") << 1 << QByteArray() << QString();
        QTest::newRow("a number") << 4 << QByteArray("\x01\x00\x00\x00", 4) << "1\\MSINFO32.EXE";
        QTest::newRow("another type") << 3 << QByteArray("\x01", 1) << "\\MSINFO32.EXE";
    }

    void unreadableValuesEndInTheMessage()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, tested);
        MemoryRegistry registry;
        RecordingSystem system;
        registry.keys[SecondKey].values["MSINFO"] = {std::uint32_t(type), bytes.toStdString()};
        openAbout();
        pressSysInfo();
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
        QCOMPARE(system.tested, tested.isEmpty() ? std::vector<std::string>() : std::vector<std::string>({tested.toStdString()}));
        QVERIFY(system.started.empty());
    }

    // The stand-in for the registry off Windows: the first desktop tool on PATH.
    void desktopRegistryNamesTheInstalledTool()
    {
        QTemporaryDir bin;
        const QString tool = bin.filePath("hardinfo");
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        RecordingSystem system;
        system.programs.insert(tool.toStdString());
        std::string value;
        const bool found = OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, FirstKey, "PATH", value);
        openAbout();
        pressSysInfo();
        qputenv("PATH", bin.path().toLocal8Bit() + "/none");
        std::string none;
        const bool foundWithout = OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, FirstKey, "PATH", none);
        qputenv("PATH", oldPath);

        QVERIFY(found);
        QCOMPARE(QString::fromStdString(value), tool);
        QCOMPARE(system.started, std::vector<std::string>({tool.toStdString()}));
        QVERIFY(!foundWithout);
        QVERIFY(!OProgramme_frm::GetKeyValue(platform::registry::LocalMachine, SecondKey, "MSINFO", none));
        platform::Registry::Key key = 0;
        QCOMPARE(platform::systemRegistry().openKey(platform::registry::LocalMachine, FirstKey, 0, 0x2003F, key),
                 platform::registry::AccessDenied);
    }

    void withoutAnyToolOnThisMachineTheButtonShowsTheMessage()
    {
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        openAbout();
        pressSysInfo();
        qputenv("PATH", oldPath);
        QCOMPARE(shownMessages(), QStringList({Unavailable}));
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
