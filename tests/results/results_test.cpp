#include "platform/runtime_error.h"
#include "support/program_fixture.h"

// The results screen: cut to n, the unknowns and the error figure as the
// number rules write them, a failed load, and boxes that only show.
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

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void theWorkedExampleShowsOnesAndItsTinyErrorFigure()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QCOMPARE(peremennye().x_resh(2).value(), 0.9999999999999998);
        QCOMPARE(program.result(0), QString("1"));
        QCOMPARE(program.result(1), QString("1"));
        QCOMPARE(program.result(9), QString("0,000000000000027491236800242"));
        QVERIFY(program.messages.isEmpty());
    }

    void twoUnknownsCutTheWindowBelowTheSecondRowAndEachBoxFollowsItsRule()
    {
        platform::Form* results = showResults({{1, 0}, {0, 1}}, {0.00001, -0.5}, {0.00001, -0.5});
        QCOMPARE(results->size(), QSize(291, 142));  // outer height 2610 twips
        QCOMPARE(program.result(0), QString("1E-05"));
        QCOMPARE(program.result(1), QString("-0,5"));
        QCOMPARE(program.result(9), QString("0"));
        QCOMPARE(program.result(2), QString());
        QVERIFY(results->rect().contains(program.box(window::Rezultat_frm, "Text1(1)")->geometry()));
        QVERIFY(!results->rect().intersects(program.box(window::Rezultat_frm, "Text1(2)")->geometry()));
    }

    void aFigureBeyondTheDecimalRangeFailsTheLoadAndLeavesNoWindow()
    {
        try {
            showResults({{1, 0}, {0, 1}}, {1E30, 1}, {1, 1});
            QFAIL("no error");
        } catch (const platform::RuntimeError& error) {
            QCOMPARE(error.number(), platform::error::Overflow);
        }
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        showResults({{1, 0}, {0, 1}}, {4, 5}, {4, 5});
        QCOMPARE(program.result(0), QString("4"));
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
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "Command1"));
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        QTest::keyClick(program.focus(), Qt::Key_Backtab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "Command1"));
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

};

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
