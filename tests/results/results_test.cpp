#include <QLabel>

#include "platform/runtime_error.h"
#include "support/program_fixture.h"

// The results screen: its size for n, the error figure, the unknowns as the
// number rules write them, and boxes that only show.
class ResultsTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString text(int k) { return ProgramFixture::box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->text(); }

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

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void workedExampleShowsOnesAndItsTinyErrorFigure()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
        QCOMPARE(peremennye().x_resh(2).value(), 0.9999999999999998);
        QCOMPARE(text(0), QString("1"));
        QCOMPARE(text(1), QString("1"));
        QCOMPARE(text(9), QString("0,000000000000027491236800242"));
        QVERIFY(program.messages.isEmpty());
    }

    void twoUnknownsCutTheWindowBelowTheSecondRow()
    {
        platform::Form* results = showResults({{1, 0}, {0, 1}}, {2, 3}, {2, 3});
        QCOMPARE(results->windowTitle(), QString("                 Результат вычислений"));
        // Outer height 2610 twips, less the fixed frame's 480.
        QCOMPARE(results->size(), QSize(291, 142));
        QCOMPARE(text(0), QString("2"));
        QCOMPARE(text(1), QString("3"));
        QCOMPARE(text(9), QString("0"));
        for (int k = 2; k < 8; ++k)
            QCOMPARE(text(k), QString());
        QLineEdit* second = program.box(window::Rezultat_frm, "Text1(1)");
        QLineEdit* third = program.box(window::Rezultat_frm, "Text1(2)");
        QVERIFY(results->rect().contains(second->geometry()));
        QVERIFY(!results->rect().intersects(third->geometry()));
        QCOMPARE(program.control<QLabel>(window::Rezultat_frm, "Label1(1)")->text(), QString("Х2 = "));
        QCOMPARE(program.control<QLabel>(window::Rezultat_frm, "Label1(9)")->text(), QString("Погрешность вычислений (%):"));
    }

    void eightUnknownsShowEveryRow()
    {
        QList<QList<double>> identity;
        QList<double> values;
        for (int i = 0; i < 8; ++i) {
            identity.append(QList<double>(8, 0.0));
            identity[i][i] = 1.0;
            values.append(i + 1);
        }
        platform::Form* results = showResults(identity, values, values);
        // Outer height 4770 twips.
        QCOMPARE(results->size(), QSize(291, 286));
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(text(k), QString::number(k + 1));
            QVERIFY(results->rect().contains(program.box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->geometry()));
        }
    }

    void unknownsFollowTheGeneralRule()
    {
        showResults({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0.00001, 0.0001, -0.5}, {0.00001, 0.0001, -0.5});
        QCOMPARE(text(0), QString("1E-05"));
        QCOMPARE(text(1), QString("0,0001"));
        QCOMPARE(text(2), QString("-0,5"));
    }

    void figureBeyondTheDecimalRangeFailsTheLoadAndLeavesNoWindow()
    {
        try {
            showResults({{1, 0}, {0, 1}}, {1E30, 1}, {1, 1});
            QFAIL("no error");
        } catch (const platform::RuntimeError& error) {
            QCOMPARE(error.number(), platform::error::Overflow);
        }
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        // A later solve shows results of its own.
        showResults({{1, 0}, {0, 1}}, {4, 5}, {4, 5});
        QCOMPARE(text(0), QString("4"));
        QCOMPARE(text(9), QString("0"));
    }

    void boxesHandTheFocusToNextAndCannotBeEdited()
    {
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "Command1"));
        QTest::mouseClick(program.box(window::Rezultat_frm, "Text1(0)"), Qt::LeftButton);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        QTest::keyClick(program.box(window::Rezultat_frm, "Text1(0)"), Qt::Key_7);
        QCOMPARE(text(0), QString("1"));
        QCOMPARE(program.button(window::Rezultat_frm, "NaBazu_cmd")->toolTip(), QString("Вернуться в главный модуль"));
        QCOMPARE(program.button(window::Rezultat_frm, "NaBazu_cmd")->font().pointSize(), 12);
    }

    void nextReturnsToTheMainWindowAndExitAsksFirst()
    {
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        program.click(window::Rezultat_frm, "Command1");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Rezultat_frm}));
        // With the exit dialog still open, "Далее" closes the results only.
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::Exit_frm}));
        program.click(window::Exit_frm, "CancelButton");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }

    void closingFromTheTitleBarAsksWhetherToQuitAndTheResultsStay()
    {
        program.solve({{"2", "0"}, {"0", "2"}}, {"2", "4"});
        program.window(window::Rezultat_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Rezultat_frm}));
        program.click(window::Exit_frm, "CancelButton");
        QCOMPARE(text(1), QString("2"));
    }
};

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
