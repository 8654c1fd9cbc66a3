#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>

#include "Spravka_frm.h"
#include "program_fixture.h"

// The main window, the exit confirmation, the help window and the rules
// every window follows, through the program's own start-up.
class ShellTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static void checkCentred(const QString& name)
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
        platform::Form* main = program.window("Baza_frm");
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->windowTitle(), QString("           Решение системы линейных уравнений методом вращения"));
        QCOMPARE(main->size(), QSize(497, 400));
        checkCentred("Baza_frm");
        QCOMPARE(program.focusName(), QString("Baza_frm.Start_cmd"));
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
    }

    void mainWindowShowsItsPictureAndButtonsAsDesigned()
    {
        auto* picture = program.control<QLabel>("Baza_frm", "Picture");
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
            QPushButton* button = program.button("Baza_frm", designed.name);
            QVERIFY(button);
            QCOMPARE(button->text(), QString(designed.caption));
            QCOMPARE(button->toolTip(), QString(designed.tip));
            QCOMPARE(button->geometry(), designed.geometry);
            QCOMPARE(button->font().pointSizeF(), 9.75);
        }
        // Tab order: Start, Exit, About.
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), QString("Baza_frm.Exit_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), QString("Baza_frm.OProgr_cmd"));
    }

    void altNStartsASolve()
    {
        program.altKey(u'н');
        QTRY_VERIFY(program.window("Nachalo_frm"));
        QVERIFY(!program.window("Baza_frm"));
    }

    void enterOnTheFocusedStartButtonStartsASolve()
    {
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), QStringList({"Nachalo_frm"}));
    }

    void exitButtonOpensOneConfirmationOnTopOfTheMainWindow()
    {
        program.click("Baza_frm", "Exit_cmd");
        program.click("Baza_frm", "Exit_cmd");
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm", "Exit_frm"}));
        platform::Form* exit = program.window("Exit_frm");
        QCOMPARE(exit->windowTitle(), QString("                      Выход из программы"));
        QCOMPARE(exit->size(), QSize(323, 170));
        QVERIFY(exit->windowFlags() & Qt::Dialog);
        QCOMPARE(program.control<QLabel>("Exit_frm", "Label1")->text(), QString("Вы действительно хотите выйти?"));
        QCOMPARE(program.button("Exit_frm", "OKButton")->toolTip(), QString("Подтверждение выхода"));
        QCOMPARE(program.button("Exit_frm", "CancelButton")->toolTip(), QString("Возврат в программу"));
        checkCentred("Exit_frm");
        QVERIFY(program.activate("Exit_frm"));
        QCOMPARE(program.focusName(), QString("Exit_frm.CancelButton"));
    }

    void noLeavesEverythingAsItWas()
    {
        program.click("Baza_frm", "Exit_cmd");
        QVERIFY(program.activate("Exit_frm"));
        QTest::keyClick(program.focus(), Qt::Key_Escape);  // does nothing here
        QVERIFY(program.window("Exit_frm"));
        QTest::keyClick(program.focus(), Qt::Key_Return);  // "Нет" has the focus
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
        QVERIFY(!platform::windows().ending());
        QVERIFY(program.messages.isEmpty());
    }

    void startStillWorksWithTheConfirmationOpen()
    {
        program.click("Baza_frm", "Exit_cmd");
        program.click("Baza_frm", "Start_cmd");
        QCOMPARE(program.openWindows(), QStringList({"Exit_frm", "Nachalo_frm"}));
        program.click("Exit_frm", "CancelButton");
        QCOMPARE(program.openWindows(), QStringList({"Nachalo_frm"}));
    }

    void yesEndsTheProgramWithEveryWindowGone()
    {
        program.click("Baza_frm", "OProgr_cmd");
        program.click("Baza_frm", "Exit_cmd");
        QTest::keyClick(program.window("Baza_frm"), Qt::Key_F1);
        QVERIFY(program.window("Spravka_frm"));
        program.click("Exit_frm", "OKButton");
        QVERIFY(platform::windows().ending());
        QVERIFY(program.openWindows().isEmpty());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }

    void yesEndsTheEventLoopWithStatusZero()
    {
        QTimer::singleShot(0, [] {
            ProgramFixture::click("Baza_frm", "Exit_cmd");
            ProgramFixture::click("Exit_frm", "OKButton");
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void titleBarCloseActsAsTheWindowsOwnButton()
    {
        // Main window: as "Выход"; the window stays.
        program.window("Baza_frm")->close();
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm", "Exit_frm"}));
        // Exit confirmation: as "Нет".
        program.window("Exit_frm")->close();
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
        // Count step: as "Отмена".
        program.click("Baza_frm", "Start_cmd");
        program.window("Nachalo_frm")->close();
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
        // Help: it closes.
        QTest::keyClick(program.window("Baza_frm"), Qt::Key_F1);
        program.window("Spravka_frm")->close();
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
    }

    void f1ShowsTheHelpTopicOfTheMainWindowOnce()
    {
        QTest::keyClick(program.focus(), Qt::Key_F1);
        QTest::keyClick(program.window("Baza_frm"), Qt::Key_F1);
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm", "Spravka_frm"}));
        auto* help = static_cast<Spravka_frm*>(program.window("Spravka_frm"));
        QCOMPARE(help->topic(), 1);
        auto* page = help->findChild<QTextBrowser*>("Text_brw");
        QVERIFY(page->toPlainText().contains("методом вращения"));
        QVERIFY(program.activate("Spravka_frm"));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), QStringList({"Baza_frm"}));
    }

    void aReturnToTheMainWindowCentresItAgain()
    {
        program.click("Baza_frm", "Start_cmd");
        program.click("Nachalo_frm", "Otmena_cmd");
        QVERIFY(program.activate("Baza_frm"));
        checkCentred("Baza_frm");
        QCOMPARE(program.focusName(), QString("Baza_frm.Start_cmd"));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
