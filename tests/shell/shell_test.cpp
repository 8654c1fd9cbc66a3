#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include "shell/Spravka_frm.h"
#include "support/program_fixture.h"

// The main window, the exit confirmation, the help window and the rules
// every window follows, through the program's own start-up.
class ShellTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static void checkCentred(platform::WindowName name)
    {
        platform::Form* form = ProgramFixture::window(name);
        QVERIFY(form);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form->frameGeometry().center().y() - screen.center().y()) <= 1);
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void startsWithTheCentredMainWindowAndTheFocusOnStart()
    {
        platform::Form* main = program.window(window::Baza_frm);
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->windowTitle(), QString("           Решение системы линейных уравнений методом вращения"));
        QCOMPARE(main->size(), QSize(497, 400));
        checkCentred(window::Baza_frm);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Start_cmd"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void mainWindowShowsItsPictureAndButtonsAsDesigned()
    {
        auto* picture = program.control<QLabel>(window::Baza_frm, "Picture");
        QVERIFY(picture && !picture->pixmap().isNull());
        QCOMPARE(picture->geometry(), QRect(0, 0, 300, 400));
        struct Designed {
            const char* name;
            const char* caption;
            const char* tip;
            QRect geometry;
        };
        const Designed buttons[] = {
            {"OProgr_cmd", "О &программе", "Описание программы", QRect(344, 32, 113, 57)},
            {"Start_cmd", "&Начать работу", "Начать вычисления", QRect(344, 168, 113, 65)},
            {"Exit_cmd", "&Выход", "Выход из программы", QRect(344, 296, 113, 57)},
        };
        for (const auto& designed : buttons) {
            QPushButton* button = program.button(window::Baza_frm, designed.name);
            QVERIFY(button);
            QCOMPARE(button->text(), QString(designed.caption));
            QCOMPARE(button->toolTip(), QString(designed.tip));
            QCOMPARE(button->geometry(), designed.geometry);
            QCOMPARE(button->font().pointSizeF(), 9.75);
        }
        // Tab order: Start, Exit, About.
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Exit_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "OProgr_cmd"));
    }

    void altNStartsASolve()
    {
        program.altKey(u'н');
        QTRY_VERIFY(program.window(window::Nachalo_frm));
        QVERIFY(!program.window(window::Baza_frm));
    }

    void enterOnTheFocusedStartButtonStartsASolve()
    {
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
    }

    void exitButtonOpensOneConfirmationOnTopOfTheMainWindow()
    {
        program.click(window::Baza_frm, "Exit_cmd");
        program.click(window::Baza_frm, "Exit_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
        platform::Form* exit = program.window(window::Exit_frm);
        QCOMPARE(exit->windowTitle(), QString("                      Выход из программы"));
        QCOMPARE(exit->size(), QSize(323, 170));
        QVERIFY(exit->windowFlags() & Qt::Dialog);
        QCOMPARE(program.control<QLabel>(window::Exit_frm, "Label1")->text(), QString("Вы действительно хотите выйти?"));
        QCOMPARE(program.button(window::Exit_frm, "OKButton")->toolTip(), QString("Подтверждение выхода"));
        QCOMPARE(program.button(window::Exit_frm, "CancelButton")->toolTip(), QString("Возврат в программу"));
        checkCentred(window::Exit_frm);
        QVERIFY(program.activate(window::Exit_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Exit_frm, "CancelButton"));
    }

    void noLeavesEverythingAsItWas()
    {
        program.click(window::Baza_frm, "Exit_cmd");
        QVERIFY(program.activate(window::Exit_frm));
        QTest::keyClick(program.focus(), Qt::Key_Escape);  // does nothing here
        QVERIFY(program.window(window::Exit_frm));
        QTest::keyClick(program.focus(), Qt::Key_Return);  // "Нет" has the focus
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(!platform::windows().ending());
        QVERIFY(program.messages.isEmpty());
    }

    void startStillWorksWithTheConfirmationOpen()
    {
        program.click(window::Baza_frm, "Exit_cmd");
        program.click(window::Baza_frm, "Start_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Nachalo_frm}));
        program.click(window::Exit_frm, "CancelButton");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
    }

    void yesEndsTheProgramWithEveryWindowGone()
    {
        program.click(window::Baza_frm, "OProgr_cmd");
        program.click(window::Baza_frm, "Exit_cmd");
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        QVERIFY(program.window(window::Spravka_frm));
        program.click(window::Exit_frm, "OKButton");
        QVERIFY(platform::windows().ending());
        QVERIFY(program.openWindows().isEmpty());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }

    void yesEndsTheEventLoopWithStatusZero()
    {
        QTimer::singleShot(0, [] {
            ProgramFixture::click(window::Baza_frm, "Exit_cmd");
            ProgramFixture::click(window::Exit_frm, "OKButton");
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void closingFromTheTitleBarActsAsTheWindowsOwnButton()
    {
        // Main window: as "Выход"; the window stays.
        program.window(window::Baza_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
        // Exit confirmation: as "Нет".
        program.window(window::Exit_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        // Count step: as "Отмена".
        program.click(window::Baza_frm, "Start_cmd");
        program.window(window::Nachalo_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        // Help: it closes.
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        program.window(window::Spravka_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void f1ShowsTheHelpTopicOfTheMainWindowOnce()
    {
        QTest::keyClick(program.focus(), Qt::Key_F1);
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Spravka_frm}));
        auto* help = static_cast<Spravka_frm*>(program.window(window::Spravka_frm));
        QCOMPARE(help->topic(), platform::HelpTopic::MainWindow);
        auto* page = help->findChild<QTextBrowser*>("Text_brw");
        QVERIFY(page->toPlainText().contains("методом вращения"));
        QVERIFY(program.activate(window::Spravka_frm));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void aReturnToTheMainWindowCentresItAgain()
    {
        program.click(window::Baza_frm, "Start_cmd");
        program.click(window::Nachalo_frm, "Otmena_cmd");
        QVERIFY(program.activate(window::Baza_frm));
        checkCentred(window::Baza_frm);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Start_cmd"));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
