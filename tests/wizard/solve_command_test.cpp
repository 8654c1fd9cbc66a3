#include <QGuiApplication>

#include "shell/Spravka_frm.h"
#include "solver/yadro.h"
#include "support/program_fixture.h"
#include "wizard/Start2_frm.h"

// The right-hand sides and the solve command: its checks, the solver's two
// outcomes, the hourglass and the one failure handler.
class SolveCommandTest : public QObject {
    Q_OBJECT

    ProgramFixture program;
    inline static bool solverRanUnderTheHourglass = false;

    void expectFailure(const QString& description)
    {
        QCOMPARE(program.messages, QStringList("Работа программы остановлена! | Произошла следующая ошибка:  " + description
                                               + ".  После нажатия кнопки 'Ок' произойдёт возврат на стартовую форму | stop"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void twoUnknownsShowTwoBoxesAndTheirFocusRuleHoldsWhicheverWayTheFocusLeaves()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        platform::Form* column = program.window(window::Start2_frm);
        QVERIFY(!program.box(window::Start2_frm, program.answer(3))->isVisibleTo(column));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, program.answer(1)));
        const auto fromTheLastBox = [&](auto&& leave) {
            program.box(window::Start2_frm, program.answer(2))->setFocus(Qt::TabFocusReason);
            leave();
            QTest::qWait(20);
            QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, "next_cmd"));
        };
        fromTheLastBox([&] { QTest::keyClick(program.focus(), Qt::Key_Tab); });
        fromTheLastBox([&] { QTest::keyClick(program.focus(), Qt::Key_Backtab); });
        fromTheLastBox([&] { QTest::mouseClick(program.box(window::Start2_frm, program.answer(1)), Qt::LeftButton); });
    }

    void theSolverRunsUnderTheHourglassAndThePointerComesBack()
    {
        Start2_frm::setSolver([] {
            solverRanUnderTheHourglass = QGuiApplication::overrideCursor()
                                         && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            yadro_proc1();
        });
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        Start2_frm::setSolver(nullptr);
        QVERIFY(solverRanUnderTheHourglass);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
    }

    void aRefusedAnswerIsNamedByItsRowAndTheSolverDoesNotRun()
    {
        program.goToAnswers({{"1", "0", "0"}, {"0", "1", "0"}, {"0", "0", "1"}});
        program.typeAnswers({"1E-999", "2.5", ""});  // a full stop under Russian settings, then an empty box
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.messages, QStringList({"Ошибка в строке 2 | Не является числом ответ в строке 2 | stop",
                                                "Реализация метода вращений | Попробуйте ввести его заново! | information"}));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        QTest::qWait(20);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, program.answer(2)));
        QCOMPARE(peremennye().tochnost, 0.0);  // the solver stores it first thing
        QCOMPARE(peremennye().otvety_kopiya(1).value(), 0.0);
    }

    void aNearSingularMatrixIsReportedAndTheWizardStartsAgainFromTheCount()
    {
        program.solve({{"1", "2"}, {"2", "4"}}, {"3", "6"});
        QCOMPARE(program.messages,
                 QStringList("Результат вычислений: | Матрица близка к вырожденной. Решение отсутствует! | stop"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        program.goToCount();
        QCOMPARE(program.box(window::Nachalo_frm, "Okno_txt")->text(), QString());
    }

    void anOverflowInTheSolverOrWhileTheResultsLoadTakesTheFailurePathAndALaterSolveShowsItsOwn()
    {
        program.solve({{"1,5E308", "1,5E308"}, {"1", "2"}}, {"1", "1"});
        expectFailure("Переполнение");
        // x = (2, 2) solves this one, but the error figure's 1E308 * 2 lies beyond the range.
        program.messages.clear();
        program.solve({{"1E308", "-1E308"}, {"1", "0"}}, {"0", "2"});
        expectFailure("Переполнение");
        program.solve({{"2", "0"}, {"1", "4"}}, {"2", "9"});
        QCOMPARE(program.result(0) + " " + program.result(1), QString("1 2"));
    }

    void theTitleBarAsksWhetherToQuitAndF1ShowsTheAnswersHelp()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        program.window(window::Start2_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Start2_frm}));
        QVERIFY(program.activate(window::Start2_frm));
        QTest::keyClick(program.focus(), Qt::Key_F1);
        QCOMPARE(static_cast<Spravka_frm*>(program.window(window::Spravka_frm))->topic(), help::RightHandSides);
    }
};

QTEST_MAIN(SolveCommandTest)
#include "solve_command_test.moc"
