#include <QCloseEvent>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "platform/operating_system.h"
#include "platform/runtime/registry.h"
#include "platform/runtime/runtime_error.h"
#include "shell/OProgramme_frm.h"
#include "shell/Spravka_frm.h"
#include "support/data_file.h"
#include "support/program_fixture.h"

// The main window, the exit confirmation, the help window, the about dialog
// and the rules every window follows, through the program's own start-up.
// Off Windows the registry's stand-in names the first desktop tool on PATH;
// here programs are started by a stand-in that records them.
class ShellTest : public QObject, public platform::OperatingSystem {
    Q_OBJECT

    ProgramFixture program;
    QTemporaryDir bin;
    std::vector<std::string> started;
    bool startFails = false;

    std::string fileExists(const std::string&) override { return {}; }
    long startProgram(const std::string& path) override
    {
        if (startFails)
            platform::raiseFileNotFound();
        started.push_back(path);
        return 42;
    }

    void openAbout()
    {
        program.click(window::Baza_frm, "OProgr_cmd");
        QVERIFY(program.activate(window::OProgramme_frm));
    }

    void expectTheMessage(int count)
    {
        QCOMPARE(program.messages,
                 QStringList(count, "Реализация метода вращений | System Information Is Unavailable At This Time | no icon"));
        QVERIFY(started.empty());
        QVERIFY(program.window(window::OProgramme_frm));
    }

    static bool centred(platform::WindowName name)
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint centre = ProgramFixture::window(name)->frameGeometry().center();
        return qAbs(centre.x() - screen.center().x()) <= 1 && qAbs(centre.y() - screen.center().y()) <= 1;
    }

private slots:
    void init()
    {
        started.clear();
        startFails = false;
        qputenv("PATH", bin.path().toLocal8Bit());
        platform::setOperatingSystem(this);
        program.start();
    }

    void cleanup()
    {
        program.stop();
        platform::setOperatingSystem(nullptr);
        QFile::remove(bin.filePath("hardinfo2"));
    }

    void startsCentredWithTheFocusOnStartAndTabGoesStartExitAbout()
    {
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QTRY_VERIFY(centred(window::Baza_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Start_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Exit_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "OProgr_cmd"));
    }

    void altNOrEnterStartsASolveAndAReturnCentresTheMainWindowAgain()
    {
        program.altKey(u'н');
        QTRY_COMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        program.click(window::Nachalo_frm, "Otmena_cmd");
        QVERIFY(program.activate(window::Baza_frm));
        QTRY_VERIFY(centred(window::Baza_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Baza_frm, "Start_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
    }

    void exitOpensOneCentredConfirmationWhereOnlyNoAndYesAct()
    {
        program.click(window::Baza_frm, "Exit_cmd");
        program.click(window::Baza_frm, "Exit_cmd");
        QTRY_VERIFY(centred(window::Exit_frm));
        QVERIFY(program.activate(window::Exit_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Exit_frm, "CancelButton"));
        QTest::keyClick(program.focus(), Qt::Key_Escape);  // no cancel button: nothing
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
        QTest::keyClick(program.focus(), Qt::Key_Return);  // "Нет" has the focus
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void closingFromTheTitleBarActsAsTheWindowsOwnButton()
    {
        program.window(window::Baza_frm)->close();  // as "Выход"
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
        program.window(window::Exit_frm)->close();  // as "Нет"
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        program.click(window::Baza_frm, "Start_cmd");
        program.window(window::Nachalo_frm)->close();  // as "Отмена"
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        program.window(window::Spravka_frm)->close();  // as "Закрыть"
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void f1ShowsTheMainWindowsHelpOnceAndEscClosesIt()
    {
        QTest::keyClick(program.focus(), Qt::Key_F1);
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Spravka_frm}));
        auto* help = static_cast<Spravka_frm*>(program.window(window::Spravka_frm));
        auto* page = help->findChild<QTextBrowser*>();
        QVERIFY(program.activate(window::Spravka_frm));
        // The contents, and a link followed by the keys: Tab to it, Enter.
        program.click(window::Spravka_frm, "Soderzhanie_cmd");
        QCOMPARE(help->windowTitle(), QString("Справка: Содержание"));
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(page->source(), QUrl("qrc:/help/topic1.html"));
        QVERIFY(help->windowTitle().startsWith("Справка: ") && help->windowTitle() != "Справка: Содержание");
        QTest::keyClick(page, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(help->windowTitle(), QString("Справка: Содержание"));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    // A right click on the main window shows its commands with their keys;
    // those of the last solve wait for one.
    void aRightClickShowsTheWindowsCommandsWithTheirKeys()
    {
        platform::Form* main = program.window(window::Baza_frm);
        QStringList entries;
        const auto menu = [&] {
            entries.clear();
            emit main->customContextMenuRequested(QPoint(10, 10));
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(popup && popup->toolTipsVisible());
            for (QAction* action : popup->actions())
                entries.append(action->text() + (action->isEnabled() ? "" : " (off)") + " "
                               + action->shortcut().toString(QKeySequence::NativeText));
            popup->close();
        };
        menu();
        QCOMPARE(entries, QStringList({"Ход решения... (off) F2", "Ход решения по шагам... (off) Shift+F2",
                                       "Повторить последнюю систему (off) F3",
                                       "Практика по методу вращений... (off) F4", "Задания для группы... F5",
                                       "Открыть систему... Ctrl+O"}));
        program.solve({{"1", "0"}, {"0", "1"}}, {"1", "2"});
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        main = program.window(window::Baza_frm);
        menu();
        QCOMPARE(entries.mid(0, 4), QStringList({"Ход решения... F2", "Ход решения по шагам... Shift+F2",
                                                 "Повторить последнюю систему F3", "Практика по методу вращений... F4"}));
    }

    // The windows a button is met in, reached as a user reaches them.
    void reach(const QString& where)
    {
        if (where == "count step") {
            program.goToCount();
            program.type(window::Nachalo_frm, "Okno_txt", "3");
        } else if (where == "coefficient grid") {
            program.goToCoefficients(2);
            program.typeCoefficients({{"1", "0"}, {"0", "1"}});
        } else if (where == "results") {
            program.solve({{"1", "0"}, {"0", "1"}}, {"1", "2"});
            QVERIFY(program.activate(window::Rezultat_frm));
        } else if (where == "exit confirmation") {
            program.click(window::Baza_frm, "Exit_cmd");
            QVERIFY(program.activate(window::Exit_frm));
        } else if (where == "about dialog") {
            openAbout();
        } else if (where == "help") {
            QTest::keyClick(program.focus(), Qt::Key_F1);
            QVERIFY(program.activate(window::Spravka_frm));
        } else if (where == "course" || where == "steps") {
            program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
            QVERIFY(program.activate(window::Rezultat_frm));
            QTest::keyClick(program.focus(), Qt::Key_F2, where == "steps" ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY(program.activate(window::HodResheniya_frm));
            if (where == "steps")
                QTest::keyClick(program.focus(), Qt::Key_Right);
        } else if (where == "practice") {
            program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
            QVERIFY(program.activate(window::Rezultat_frm));
            QTest::keyClick(program.focus(), Qt::Key_F4);
            QVERIFY(program.activate(window::Praktika_frm));
        } else if (where == "tasks") {
            QTest::keyClick(program.focus(), Qt::Key_F5);
            QVERIFY(program.activate(window::Zadaniya_frm));
        }
    }

    // The rows of window_keys.tsv, by where they are met.
    static void windowRows(const char* what)
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("words");
        for (const DataRow& row : dataRows("window_keys.tsv")) {
            const QString where = QString::fromStdString(row.at(0));
            const QStringList buttons = QString::fromStdString(row.at(3)).split(' ');
            for (const QString& button : std::string(what) == "buttons" ? buttons : QStringList{QString()}) {
                QTest::newRow(qPrintable(button.isEmpty() ? where : where + ", " + button))
                    << where << QString::fromStdString(row.at(1)) << std::stoi(row.at(2)) << button
                    << (row.at(4) == "-" ? QString() : QString::fromStdString(row[4]));
            }
        }
    }

    // Alt and the underlined letter press the button, wherever the focus is
    // in its window (under a Russian layout the letter is Cyrillic).
    void everyButtonAnswersAltAndItsLetter_data() { windowRows("buttons"); }

    void everyButtonAnswersAltAndItsLetter()
    {
        QFETCH(QString, where);
        QFETCH(QString, window);
        QFETCH(QString, button);
        reach(where);
        const QByteArray objectName = window.toLatin1();
        const platform::WindowName name(objectName.constData());
        QVERIFY(program.activate(name));
        QPushButton* pressed = program.button(name, button);
        QVERIFY(pressed && pressed->isEnabled());
        const QString caption = pressed->text();
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        program.altKey(caption.at(caption.indexOf('&') + 1).unicode());
        QTRY_COMPARE(clicks.count(), 1);
        program.messages.clear();
    }

    // In the right-hand sides "Вычислить" and "Выход" share their letter: Alt
    // and it take the focus from one to the other and press neither.
    void altAndTheSharedLetterGoesBetweenTheTwoButtonsOfTheRightHandSides()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        QSignalSpy solve(program.button(window::Start2_frm, "next_cmd"), &QPushButton::clicked);
        QSignalSpy leave(program.button(window::Start2_frm, "Exit_cmd"), &QPushButton::clicked);
        QStringList focus;
        for (int k = 0; k < 3; ++k) {
            program.altKey(u'В');
            QTest::qWait(150);
            focus.append(program.focusName().section('.', 1));
        }
        QCOMPARE(focus, QStringList({"next_cmd", "Exit_cmd", "next_cmd"}));
        QCOMPARE(solve.count() + leave.count(), 0);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
    }

    // F1 opens the help at the topic of the window it is pressed in; in a
    // window without help of its own, nothing.
    void f1OpensTheTopicOfTheWindowItIsPressedIn_data() { windowRows("windows"); }

    void f1OpensTheTopicOfTheWindowItIsPressedIn()
    {
        QFETCH(QString, where);
        QFETCH(int, topic);
        QFETCH(QString, words);
        reach(where);
        const QStringList open = program.openWindows();
        QTest::keyClick(program.focus(), Qt::Key_F1);
        auto* help = static_cast<Spravka_frm*>(program.window(window::Spravka_frm));
        if (topic == 0) {
            QCOMPARE(program.openWindows(), open);
            QVERIFY(!help || help->topic() == help::MainWindow);
            return;
        }
        QVERIFY(help && program.activate(window::Spravka_frm));
        QCOMPARE(help->topic(), platform::HelpTopic(topic));
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains(words));
    }

    // F3 opens the last system in the grid, filled from the stored copies, its
    // right-hand sides waiting for their window, after a solve and after a
    // stop at the pivot alike; the ordinary road after it starts empty.
    void f3OpensTheLastSystemAgain_data()
    {
        QTest::addColumn<QList<QStringList>>("a");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("grid");  // as typed, not as the results write the values
        QTest::newRow("after a solve, from the results") << QList<QStringList>{{"3", "1,0000000000000002"}, {"1", "2"}}
                                                         << "Rezultat_frm" << QStringList{"3", "1,0000000000000002", "1", "2"};
        QTest::newRow("after a stop at the pivot, from the main window")
            << QList<QStringList>{{"1", "2"}, {"2", "4"}} << "Baza_frm" << QStringList{"1", "2", "2", "4"};
        QTest::newRow("after an overflow, from the main window")
            << QList<QStringList>{{"1,5E308", "1,5E308"}, {"1", "2"}} << "Baza_frm"
            << QStringList{"1,5E308", "1,5E308", "1", "2"};
    }

    void f3OpensTheLastSystemAgain()
    {
        QFETCH(QList<QStringList>, a);
        QFETCH(QString, from);
        QFETCH(QStringList, grid);
        QTest::keyClick(program.focus(), Qt::Key_F3);  // before any solve, nothing
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        program.solve(a, {"-12345,75", "3"});
        QVERIFY(program.activate(from == "Baza_frm" ? window::Baza_frm : window::Rezultat_frm));
        program.messages.clear();
        QTest::keyClick(program.focus(), Qt::Key_F3);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QStringList shown;
        for (const char* box : {"Text1(0)", "Text1(1)", "Text1(8)", "Text1(9)"})
            shown.append(program.box(window::Start_frm, box)->text());
        QCOMPARE(shown, grid);
        QVERIFY(program.activate(window::Start_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Text1(0)"));
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.box(window::Start2_frm, "Text1(0)")->text(), QString("-12345,75"));
        QCOMPARE(program.box(window::Start2_frm, "Text1(0)")->cursorPosition(), 0);
        program.click(window::Start2_frm, "next_cmd");
        if (program.window(window::Rezultat_frm))
            program.click(window::Rezultat_frm, "NaBazu_cmd");
        program.goToCoefficients(2);
        QCOMPARE(program.box(window::Start_frm, "Text1(0)")->text(), QString());
        program.typeCoefficients({{"1", "0"}, {"0", "1"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.box(window::Start2_frm, "Text1(0)")->text(), QString());
    }

    void yesEndsTheProgramAndNoFurtherEventOfAnyWindowRuns()
    {
        program.click(window::Baza_frm, "OProgr_cmd");
        program.goToCoefficients(3);
        program.click(window::Start_frm, "Exit_cmd");
        const QPointer<platform::Form> grid = program.window(window::Start_frm);
        program.click(window::Exit_frm, "OKButton");
        QVERIFY(platform::windows().ending());
        QVERIFY(program.openWindows().isEmpty());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));

        // The windows are not yet destroyed; nothing of them answers any more.
        QVERIFY(grid);
        grid->findChild<QPushButton*>("Next_cmd")->click();
        QTest::keyClick(grid, Qt::Key_F1);
        QCloseEvent close;
        QApplication::sendEvent(grid, &close);
        QApplication::processEvents();
        QVERIFY(program.openWindows().isEmpty());
        QVERIFY(program.messages.isEmpty());
    }
    void theAboutDialogOpensOnceAndEnterOrEscClosesIt()
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
        QVERIFY(program.messages.isEmpty());
    }

    void withoutAToolOrWhenItCannotStartTheOneMessageAndTheToolIsLookedForAgain()
    {
        openAbout();
        program.click(window::OProgramme_frm, "cmdSysInfo");
        expectTheMessage(1);
        QFile tool(bin.filePath("hardinfo2"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        tool.close();
        startFails = true;
        program.click(window::OProgramme_frm, "cmdSysInfo");
        expectTheMessage(2);
        // Enter on the focused tool button starts the tool, now that it starts.
        startFails = false;
        program.button(window::OProgramme_frm, "cmdSysInfo")->setFocus();
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(started, std::vector<std::string>({tool.fileName().toStdString()}));
        std::string path;  // as the registry's stand-in gives it
        QVERIFY(OProgramme_frm::GetKeyValue(platform::registry::LocalMachine,
                                            "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path));
        QCOMPARE(path, tool.fileName().toStdString());
        QVERIFY(program.window(window::OProgramme_frm));
    }

};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
