#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include "platform/runtime/runtime_error.h"
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

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

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
