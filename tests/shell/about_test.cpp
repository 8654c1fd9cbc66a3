#include "platform/system_information.h"
#include "support/fake_system.h"
#include "support/program_fixture.h"

// The about dialog as the user meets it: how it opens and closes, and that
// every way to the system-information tool ends in the tool or the one message.
class AboutTest : public QObject {
    Q_OBJECT

    ProgramFixture program;
    MemoryRegistry registry;
    RecordingSystem system;

    void openAbout()
    {
        program.click(window::Baza_frm, "OProgr_cmd");
        QVERIFY(program.activate(window::OProgramme_frm));
    }

    void pressSysInfo() { program.click(window::OProgramme_frm, "cmdSysInfo"); }

    void expectTheMessage(int count)
    {
        QCOMPARE(program.messages.size(), count);
        QCOMPARE(program.messages.last().text, QString("System Information Is Unavailable At This Time"));
        QCOMPARE(program.messages.last().title, QString("Реализация метода вращений"));
        QCOMPARE(program.messages.last().icon, platform::MessageIcon::None);
        QVERIFY(system.started.empty());
        QVERIFY(program.window(window::OProgramme_frm));
    }

private slots:
    void init()
    {
        registry = MemoryRegistry();
        system = RecordingSystem();
        platform::setRegistry(&registry);
        platform::setOperatingSystem(&system);
        program.start();
    }

    void cleanup()
    {
        program.stop();
        platform::setRegistry(nullptr);
        platform::setOperatingSystem(nullptr);
    }

    void opensOnceAndEnterEscOrTheTitleBarCloseIt()
    {
        openAbout();
        program.click(window::Baza_frm, "OProgr_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::OProgramme_frm}));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::OProgramme_frm, "cmdOK"));
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        openAbout();
        program.button(window::OProgramme_frm, "cmdSysInfo")->setFocus();
        QTest::keyClick(program.focus(), Qt::Key_Escape);  // whatever has the focus
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        openAbout();
        program.window(window::OProgramme_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(program.messages.isEmpty());
    }

    void enterOnTheFocusedToolButtonStartsTheToolAndTheDialogStays()
    {
        registry.setString(platform::system_information::ToolPathKey, "PATH", "C:\\Windows\\msinfo32.exe");
        system.programs.insert("C:\\Windows\\msinfo32.exe");
        openAbout();
        program.button(window::OProgramme_frm, "cmdSysInfo")->setFocus();
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(system.started, std::vector<std::string>({"C:\\Windows\\msinfo32.exe"}));
        QVERIFY(program.window(window::OProgramme_frm));
        QVERIFY(program.messages.isEmpty());
    }

    void everyFailureOnTheWayEndsInTheOneMessageAndTheRegistryIsReadAgain()
    {
        openAbout();
        pressSysInfo();  // no entry at all
        expectTheMessage(1);
        registry.setString(platform::system_information::ToolPathKey, "PATH", "C:\\broken.exe");
        pressSysInfo();  // a program that cannot be started
        expectTheMessage(2);
        registry.keys[platform::system_information::ToolPathKey]["PATH"] = {platform::registry::String, ""};
        pressSysInfo();  // a value of zero bytes
        expectTheMessage(3);
        QCOMPARE(registry.opened.size(), std::size_t(4));
        QCOMPARE(registry.open, 0);
    }

    // Off Windows, the stand-in for the registry names the first desktop tool
    // installed, and refuses, as an administrator's key would, any key opened
    // for more than reading.
    void theDesktopRegistryRefusesMoreThanReading()
    {
        platform::setRegistry(nullptr);
        platform::Registry::Key key = 0;
        QCOMPARE(platform::systemRegistry().openKey(platform::registry::LocalMachine,
                                                    platform::system_information::ToolPathKey, 0, 0x2003F, key),
                 platform::registry::AccessDenied);
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
