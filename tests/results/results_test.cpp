#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include "platform/regional_settings.h"
#include "results/step_view.h"
#include "support/program_fixture.h"

// The results screen: cut to n, the unknowns and the error figure as the
// number rules write them, a failed load, boxes that only show; and the
// course of the solve that F2 opens from it and from the main window.
class ResultsTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    // A solve's outcome put straight into the shared state, then the screen
    // shown as the solve command shows it.
    static platform::Form* showResults(const QList<QList<double>>& a, const QList<double>& b, const QList<double>& x)
    {
        Peremennye& state = peremennye();
        const int n = int(b.size());
        state.kol_neizv = std::u16string(1, char16_t(u'0' + n));
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j)
                state.matr_kopiya(i, j) = a[i - 1][j - 1];
            state.otvety_kopiya(i) = b[i - 1];
            state.x_resh(i) = x[i - 1];
        }
        state.est_resh = true;
        return platform::windows().show(window::Rezultat_frm);
    }

    static QPlainTextEdit* course()
    {
        platform::Form* window = ProgramFixture::window(window::HodResheniya_frm);
        return window ? window->findChild<QPlainTextEdit*>("Hod_txt") : nullptr;
    }

    template <class Control>
    static Control* inCourse(const char* name)
    {
        return ProgramFixture::window(window::HodResheniya_frm)->findChild<Control*>(name);
    }

    // The worked example solved and its course open from the results, active.
    void openCourseOfTheWorkedExample(Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2, modifiers);
        QVERIFY(program.activate(window::HodResheniya_frm));
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void twoUnknownsCutTheWindowBelowTheSecondRowAndEachBoxFollowsItsRule()
    {
        platform::Form* results = showResults({{1, 0}, {0, 1}}, {0.00001, -0.5}, {0.00001, -0.5});
        QCOMPARE(program.result(0), QString("1E-05"));
        QCOMPARE(program.result(1), QString("-0,5"));
        QCOMPARE(program.result(9), QString("0"));
        QCOMPARE(program.result(2), QString());
        QVERIFY(results->rect().contains(program.box(window::Rezultat_frm, "Text1(1)")->geometry()));
        QVERIFY(!results->rect().intersects(program.box(window::Rezultat_frm, "Text1(2)")->geometry()));
    }

    void theBoxesHandTheFocusToNextAndTabGoesBetweenTheButtons()
    {
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        for (int k : {0, 1, 9}) {
            program.button(window::Rezultat_frm, "Command1")->setFocus(Qt::TabFocusReason);
            QTest::mouseClick(program.box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k)), Qt::LeftButton);
            QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        }
        QStringList walk;  // Tab, Tab, Shift+Tab: between the buttons only
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab}) {
            QTest::keyClick(program.focus(), key);
            walk.append(program.focus()->objectName());
        }
        QCOMPARE(walk, QStringList({"Command1", "NaBazu_cmd", "Command1"}));
        QTest::keyClick(program.box(window::Rezultat_frm, "Text1(0)"), Qt::Key_7);
        QCOMPARE(program.result(0), QString("1"));
    }

    void nextReturnsToTheMainWindowWhileTheExitDialogStays()
    {
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        program.click(window::Rezultat_frm, "Command1");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Rezultat_frm}));
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
    }

    // F2 shows the course of the last solve, from the results or, for a solve
    // that stopped at a pivot, from the main window; before any solve, nothing.
    void f2ShowsTheCourseOfTheLastSolveWhereverItEnded_data()
    {
        QTest::addColumn<QList<QStringList>>("a");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("solved, from the results") << QList<QStringList>{{"3", "4"}, {"1", "2"}} << "Rezultat_frm"
                                                  << "Погрешность вычислений (%): 0,000000000000027491236800242";
        QTest::newRow("stopped at the pivot, from the main window")
            << QList<QStringList>{{"1", "2"}, {"2", "4"}} << "Baza_frm" << "решение остановлено на этом шаге.";
    }

    void f2ShowsTheCourseOfTheLastSolveWhereverItEnded()
    {
        QFETCH(QList<QStringList>, a);
        QFETCH(QString, from);
        QFETCH(QString, lastLine);
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        program.solve(a, {"7", "3"});
        QVERIFY(program.activate(from == "Rezultat_frm" ? window::Rezultat_frm : window::Baza_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QVERIFY(course());
        QCOMPARE(course()->toPlainText().split('\n').last(), lastLine);
        QVERIFY(course()->font().fixedPitch());
    }

    // Beside the results, on the side with more room, both windows whole on the screen.
    void theCourseStandsBesideTheResultsOnTheSideWithMoreRoom_data()
    {
        QTest::addColumn<int>("resultsLeft");
        QTest::addColumn<bool>("courseRight");
        QTest::newRow("results at the left edge") << 0 << true;
        QTest::newRow("results at the right edge") << 1600 << false;
    }

    void theCourseStandsBesideTheResultsOnTheSideWithMoreRoom()
    {
        QFETCH(int, resultsLeft);
        QFETCH(bool, courseRight);
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        platform::Form* results = program.window(window::Rezultat_frm);
        results->move(resultsLeft, 100);
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        const QRect course = program.window(window::HodResheniya_frm)->frameGeometry();
        const QRect beside = results->frameGeometry();
        QVERIFY2(!course.intersects(beside), qPrintable(QString("%1,%2").arg(course.x()).arg(beside.x())));
        QCOMPARE(course.left() > beside.left(), courseRight);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(course));
        QCOMPARE(course.top(), beside.top());
    }

    // At four unknowns and 15 digits a line of the course still fits the window as it opens.
    void theCourseOfFourUnknownsNeedsNoScrollingSideways()
    {
        program.solve({{"1,23456789012345", "-2,5E-200", "3", "4"}, {"1", "5,5", "0,333333333333333", "7"},
                       {"8", "9", "-10,125", "11"}, {"-1", "0,1", "0,01", "12"}},
                      {"1", "2", "3", "4"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QApplication::processEvents();
        QCOMPARE(course()->horizontalScrollBar()->maximum(), 0);
    }

    // The steps by keys, buttons, the slider and the list of steps; every
    // move announced to a screen reader by the notification shown anew with
    // the step's spoken words, and the picture named after the step; the
    // view last chosen kept.
    void theStepsGoForwardAndBackByEveryMoveAndEachIsAnnounced()
    {
        openCourseOfTheWorkedExample();
        auto* views = inCourse<QTabWidget>("Vid_tab");
        QCOMPARE(views->tabText(0), QString("Текст"));
        QCOMPARE(views->tabText(1), QString("По шагам"));
        QCOMPARE(views->currentIndex(), 0);
        QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(views->currentIndex(), 1);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::HodResheniya_frm, "Shag_pic"));
        auto* label = inCourse<QLabel>("Shag_lbl");
        auto* picture = inCourse<StepView>("Shag_pic");
        auto* notice = inCourse<QWidget>("Soobshchenie_lbl");
        QCOMPARE(label->text(), QString("Шаг 1 из 6: Система, как она введена"));
        QVERIFY2(picture->accessibleDescription().contains("уравнение 1: 3 умножить на Х1 + 4 умножить на Х2 = 7"),
                 qPrintable(picture->accessibleDescription()));
        QVERIFY(!inCourse<QPushButton>("Predydushchii_cmd")->isEnabled());
        struct Shows : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* event) override { count += event->type() == QEvent::Show; return false; }
        } shows;
        notice->installEventFilter(&shows);
        QStringList reached, announced;
        const auto moved = [&] {
            reached.append(label->text().section(':', 0, 0));
            announced.append(shows.count == 1 && notice->isVisible() ? notice->accessibleName().section(':', 0, 0) : "silent");
            shows.count = 0;
        };
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_End, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_PageDown}) {
            QTest::keyClick(program.focus(), key);
            moved();
        }
        for (const char* button : {"Sleduyushchii_cmd", "Poslednii_cmd", "Predydushchii_cmd", "Pervyi_cmd"}) {
            program.click(window::HodResheniya_frm, button);
            moved();
        }
        inCourse<QSlider>("Shag_sld")->setValue(4);
        moved();
        auto* jump = inCourse<QComboBox>("Perekhod_cmb");
        jump->setFocus();
        jump->lineEdit()->selectAll();
        QTest::keyClicks(jump->lineEdit(), "(1,2)");
        QTest::keyClick(jump->lineEdit(), Qt::Key_Return);
        moved();
        // A step the course has not: told, and the list back on the step shown.
        jump->lineEdit()->selectAll();
        QTest::keyClicks(jump->lineEdit(), "(5,6)");
        QTest::keyClick(jump->lineEdit(), Qt::Key_Return);
        QCOMPARE(notice->accessibleName(), QString("Шага «(5,6)» нет."));
        QCOMPARE(jump->currentText(), jump->itemText(1));
        QCOMPARE(reached, QStringList({"Шаг 2 из 6", "Шаг 6 из 6", "Шаг 5 из 6", "Шаг 4 из 6", "Шаг 1 из 6", "Шаг 2 из 6",
                                       "Шаг 3 из 6", "Шаг 6 из 6", "Шаг 5 из 6", "Шаг 1 из 6", "Шаг 4 из 6", "Шаг 2 из 6"}));
        QCOMPARE(announced, reached);
        // Said as a screen reader is to say it: indices as indices, the values before and after.
        program.click(window::HodResheniya_frm, "Pervyi_cmd");
        program.click(window::HodResheniya_frm, "Sleduyushchii_cmd");
        const QString told = notice->accessibleName();
        QVERIFY2(told.startsWith("Шаг 2 из 6: Вращение столбцов 1 и 2. Вращение столбцов 1 и 2: модуль d не меньше модуль e")
                     && told.contains("d = A строка 1, столбец 2 = 4")
                     && told.contains("строка 2: A строка 2, столбец 1 = 1 становится 2,2"),
                 qPrintable(told));
        QVERIFY(told.endsWith(". " + picture->accessibleDescription()));
        QCOMPARE(picture->accessibleName(), QString("Шаг 2 из 6: Вращение столбцов 1 и 2"));
        // Closed and opened again: on the steps, the view last chosen.
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QCOMPARE(inCourse<QTabWidget>("Vid_tab")->currentIndex(), 1);
        QVERIFY(program.activate(window::HodResheniya_frm));
        QTest::keyClick(program.focus(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(inCourse<QTabWidget>("Vid_tab")->currentIndex(), 0);
    }

    // The digits chosen write every number of the step, in the words and in
    // the picture, and keep the step shown.
    void theDigitsChosenWriteTheStepsNumbers()
    {
        program.solve({{"1", "3"}, {"2", "1"}}, {"1", "1"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2, Qt::ShiftModifier);
        QVERIFY(program.activate(window::HodResheniya_frm));
        QTest::keyClick(program.focus(), Qt::Key_Right);
        auto* words = inCourse<QLabel>("Shag_txt");
        QVERIFY2(words->text().contains("m = 0,333333333333333"), qPrintable(words->text()));
        auto* digits = inCourse<QComboBox>("Tsifry_cmb");
        digits->setCurrentIndex(digits->findText("4"));
        QCOMPARE(inCourse<QLabel>("Shag_lbl")->text(), QString("Шаг 2 из 6: Вращение (1,2)"));
        QVERIFY2(words->text().contains("m = 0,3333."), qPrintable(words->text()));
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains("m = 0,3333."));
    }

    // Ctrl+C in the text copies the selection, or the whole course when
    // nothing is selected; in the steps, the words of the step shown.
    void ctrlCCopiesWhatEachViewShows()
    {
        openCourseOfTheWorkedExample(Qt::ShiftModifier);
        QCOMPARE(inCourse<QTabWidget>("Vid_tab")->currentIndex(), 1);  // Shift+F2 opens the steps
        QStringList commands;  // in the menu of a right click on the window
        for (const QAction* command : program.window(window::HodResheniya_frm)->actions())
            commands.append(command->text() + ' ' + command->shortcut().toString());
        QCOMPARE(commands, QStringList({"Копировать Ctrl+C", "Сохранить... Ctrl+S", "Печать... Ctrl+P"}));
        QTest::keyClick(program.focus(), Qt::Key_Right);
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        const QString step = QGuiApplication::clipboard()->text();
        QVERIFY2(step.startsWith("Шаг 2 из 6: Вращение (1,2)\nВращение (1,2): |d| ≥ |e|, m = e/d.\n")
                     && step.endsWith("строка 2: A(2,1) = 1 → 2,2; A(2,2) = 2 → 0,4."),
                 qPrintable(step));
        QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::HodResheniya_frm, "Hod_txt"));
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), course()->toPlainText());
        QTest::keyClick(program.focus(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(program.focus(), Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), course()->toPlainText().section('\n', 0, 0));
    }

    void theCourseStaysOutOfTheRoadAndOutlivesTheResults()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        program.menu(program.box(window::Rezultat_frm, "Text1(9)"), "Ход решения...");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::HodResheniya_frm, window::Rezultat_frm}));
        QVERIFY(program.activate(window::Rezultat_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::HodResheniya_frm}));
        // A new solve, and F2 brings the open window up with its course.
        program.solve({{"2", "0"}, {"1", "4"}}, {"2", "9"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QVERIFY(course()->toPlainText().contains("Вращение (1,2): d = 0, вращение не нужно."));
        QVERIFY(program.activate(window::HodResheniya_frm));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
    }
};

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
