#include <QGuiApplication>

#include "shell/Spravka_frm.h"
#include "support/program_fixture.h"

// The right-hand side screen and the solve command: its checks, the solver's
// two outcomes and the one failure handler.
class SolveCommandTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString answer(int i) { return QStringLiteral("Text1(%1)").arg(i - 1); }

    QStringList visibleAnswers()
    {
        QStringList names;
        platform::Form* column = program.window(window::Start2_frm);
        for (int k = 0; k < 8; ++k) {
            QLineEdit* box = program.box(window::Start2_frm, QStringLiteral("Text1(%1)").arg(k));
            if (box->isVisibleTo(column) && column->rect().contains(box->geometry()))
                names.append(box->objectName());
        }
        return names;
    }

    void expectFailure(const QString& description)
    {
        QCOMPARE(program.messages.size(), 1);
        QCOMPARE(program.messages[0].text, "Произошла следующая ошибка:  " + description
                                               + ".  После нажатия кнопки 'Ок' произойдёт возврат на стартовую форму");
        QCOMPARE(program.messages[0].title, QString("Работа программы остановлена!"));
        QCOMPARE(program.messages[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void twoUnknownsShowTwoBoxesAndTabGoesToSolve()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        platform::Form* column = program.window(window::Start2_frm);
        QCOMPARE(column->windowTitle(), QString("           Ввод ответа"));
        // Outer height 1460 twips, less the sizable frame's 510.
        QCOMPARE(column->size(), QSize(179, 63));
        QCOMPARE(visibleAnswers(), QStringList({"Text1(0)", "Text1(1)"}));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, "Text1(0)"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, "Text1(1)"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QTRY_COMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, "next_cmd"));
        QCOMPARE(program.button(window::Start2_frm, "next_cmd")->toolTip(), QString("Решить систему"));
    }

    void eightAnswersLandInColumnNine()
    {
        QList<QStringList> identity;
        QStringList answers;
        for (int i = 0; i < 8; ++i) {
            QStringList row;
            for (int j = 0; j < 8; ++j)
                row.append(i == j ? "2" : "0");
            identity.append(row);
            answers.append(QString::number(i + 1) + ",5");
        }
        program.goToAnswers(identity);
        // Outer height 4310 twips.
        QCOMPARE(program.window(window::Start2_frm)->size(), QSize(179, 253));
        QCOMPARE(visibleAnswers().size(), 8);
        program.typeAnswers(answers);
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(peremennye().matr_rassh(i, 9).value(), i + 0.5);
            QCOMPARE(peremennye().otvety_kopiya(i).value(), i + 0.5);
        }
    }

    void refusedAnswerIsReportedAndTheSolverDoesNotRun()
    {
        program.goToAnswers({{"1", "0", "0"}, {"0", "1", "0"}, {"0", "0", "1"}});
        program.typeAnswers({"1", "2", ""});
        peremennye().est_resh = false;
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.messages.size(), 2);
        QCOMPARE(program.messages[0].text, QString("Не является числом ответ в строке 3"));
        QCOMPARE(program.messages[0].title, QString("Ошибка в строке 3"));
        QCOMPARE(program.messages[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(program.messages[1].text, QString("Попробуйте ввести его заново!"));
        QCOMPARE(program.messages[1].title, QString("Реализация метода вращений"));
        QCOMPARE(program.messages[1].icon, platform::MessageIcon::Information);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start2_frm, "Text1(2)"));
        QCOMPARE(peremennye().tochnost, 0.0);  // the solver stores it first thing
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(peremennye().otvety_kopiya(2).value(), 2.0);
    }

    void fullStopIsRefusedUnderRussianSettings()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        program.typeAnswers({"2.5", "1"});
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.messages.value(0).text, QString("Не является числом ответ в строке 1"));
        program.messages.clear();
        program.type(window::Start2_frm, answer(1), "2,5");
        program.click(window::Start2_frm, "next_cmd");
        QVERIFY(program.messages.isEmpty());
        QCOMPARE(peremennye().x_resh(1).value(), 2.5);
    }

    void singularMatrixIsReportedAndTheWizardStartsAgainFromTheCount()
    {
        program.solve({{"1", "2"}, {"2", "4"}}, {"3", "6"});
        QCOMPARE(program.messages.size(), 1);
        QCOMPARE(program.messages[0].text, QString("Матрица близка к вырожденной. Решение отсутствует!"));
        QCOMPARE(program.messages[0].title, QString("Результат вычислений:"));
        QCOMPARE(program.messages[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(!peremennye().est_resh);
        program.click(window::Baza_frm, "Start_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        QCOMPARE(program.box(window::Nachalo_frm, "Okno_txt")->text(), QString());
    }

    void overflowInTheSolverTakesTheFailurePath()
    {
        program.solve({{"1,5E308", "1,5E308"}, {"1", "2"}}, {"1", "1"});
        expectFailure("Переполнение");
        // The program goes on: a new solve works.
        program.solve({{"2", "0"}, {"1", "4"}}, {"2", "9"});
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
    }

    void overflowInTheLoadingOfTheResultsTakesTheFailurePath()
    {
        // x = (2, 2) solves it, but the results' 1E308 * 2 goes beyond the range.
        program.solve({{"1E308", "-1E308"}, {"1", "0"}}, {"0", "2"});
        expectFailure("Переполнение");
        QVERIFY(peremennye().est_resh);
        // A later solve shows results of its own.
        program.messages.clear();
        program.solve({{"2", "0"}, {"1", "4"}}, {"2", "9"});
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(0)")->text(), QString("1"));
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(1)")->text(), QString("2"));
    }

    void allRightHandSidesZeroAreSolvedWithTheFigureZero()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"0", "0"});
        QVERIFY(program.messages.isEmpty());
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(0)")->text(), QString("0"));
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(1)")->text(), QString("0"));
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(9)")->text(), QString("0"));
    }

    void threeUnknownsAfterFiveGiveTheSameResultsAsAfterStart()
    {
        const QList<QStringList> three = {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "10"}};
        const QStringList b = {"6", "15", "25"};
        program.solve(three, b);
        QStringList fresh;
        for (int k : {0, 1, 2, 9})
            fresh.append(program.box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->text());
        program.click(window::Rezultat_frm, "NaBazu_cmd");

        program.solve({{"5", "1", "0", "0", "2"}, {"1", "5", "1", "0", "0"}, {"0", "1", "5", "1", "0"},
                       {"0", "0", "1", "5", "1"}, {"3", "0", "0", "1", "5"}},
                      {"1", "2", "3", "4", "5"});
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        program.solve(three, b);
        QStringList again;
        for (int k : {0, 1, 2, 9})
            again.append(program.box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->text());
        QCOMPARE(again, fresh);
        QCOMPARE(program.box(window::Rezultat_frm, "Text1(3)")->text(), QString());
    }

    void exitThenNoKeepsEveryTypedAnswer()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        program.typeAnswers({"3,25", "-1"});
        program.click(window::Start2_frm, "Exit_cmd");
        program.click(window::Exit_frm, "CancelButton");
        QCOMPARE(program.box(window::Start2_frm, answer(1))->text(), QString("3,25"));
        QCOMPARE(program.box(window::Start2_frm, answer(2))->text(), QString("-1"));
        program.window(window::Start2_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Start2_frm}));
    }

    void f1ShowsTheAnswersHelpTopic()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        QTest::keyClick(program.focus(), Qt::Key_F1);
        auto* help = static_cast<Spravka_frm*>(program.window(window::Spravka_frm));
        QVERIFY(help);
        QCOMPARE(help->topic(), platform::HelpTopic::RightHandSides);
    }
};

QTEST_MAIN(SolveCommandTest)
#include "solve_command_test.moc"
