#include <QMenu>
#include <QPlainTextEdit>

#include "support/program_fixture.h"

// The course of a solve, as the window "Ход решения" shows it: opened with F2
// from the results or the main window, outside the road of a solve.
class CourseTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString course()
    {
        platform::Form* window = ProgramFixture::window(window::HodResheniya_frm);
        return window ? window->findChild<QPlainTextEdit*>("Hod_txt")->toPlainText() : QString();
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void theCourseShowsEveryStepOfTheSolve_data()
    {
        QTest::addColumn<QList<QStringList>>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("worked example") << QList<QStringList>{{"3", "4"}, {"1", "2"}} << QStringList{"7", "3"}
            << QStringList{"уравнение 1: 3·Х1 + 4·Х2 = 7", "d = 4, e = 3, t = 0,5, c = 0,6, s = 0,8, p = 5 (|d| ≥ |e|",
                           "строка 2: A(2, 1) = 2,2, A(2, 2) = 0,4", "L(1, 1) = 5 | t(1, 2) = 0,5",
                           "y1 = 1,4 (ведущий элемент L(1, 1) = 5)", "y2 = -0,2 (ведущий элемент L(2, 2) = 0,4)",
                           "(1, 2): t = 0,5, c = 0,6, s = 0,8; Х1 = 1, Х2 = 1", "Неизвестные:\n  Х1 = 1\n  Х2 = 1",
                           "уравнение 2: 3 при правой части 3, вклад 1,48029736616688E-14",
                           "погрешность вычислений (%) = 2,7491236800242E-14"};
        QTest::newRow("a zero pivot") << QList<QStringList>{{"0", "1"}, {"1", "0"}} << QStringList{"2", "3"}
            << QStringList{"d = 1, e = 0, t = 1, c = 0, s = 1, p = 1 (e = 0: поворот на 90°)", "Х1 = 3", "Х2 = 2"};
        QTest::newRow("a lower-triangular matrix") << QList<QStringList>{{"2", "0"}, {"1", "4"}} << QStringList{"2", "9"}
            << QStringList{"(1, 2): d = 0, вращение не нужно", "t(1, 2) = 0", "Х2 = 2"};
    }

    void theCourseShowsEveryStepOfTheSolve()
    {
        QFETCH(QList<QStringList>, a);
        QFETCH(QStringList, b);
        QFETCH(QStringList, shown);
        program.solve(a, b);
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        for (const QString& text : shown)
            QVERIFY2(course().contains(text), qPrintable(text + "\n--- not in ---\n" + course()));
        QVERIFY(!course().contains("остановлен"));
    }

    void f2OnTheMainWindowShowsTheCourseThatStoppedAtThePivotAndNothingBeforeAnySolve()
    {
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        program.solve({{"1", "2"}, {"2", "4"}}, {"3", "6"});
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(program.activate(window::Baza_frm));
        QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F2);
        QVERIFY(course().contains("ведущий элемент L(2, 2) = "));
        QVERIFY(course().contains("по модулю меньше порога: матрица близка к вырожденной, решение остановлено"));
        QVERIFY(!course().contains("Обратные вращения"));
    }

    void theCourseStaysOutOfTheRoadAndOutlivesTheResults()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QLineEdit* figure = program.box(window::Rezultat_frm, "Text1(9)");
        emit figure->customContextMenuRequested(QPoint());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->actions().last()->trigger();  // "Ход решения..."
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::HodResheniya_frm, window::Rezultat_frm}));
        QVERIFY(program.activate(window::Rezultat_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm, window::HodResheniya_frm}));
        // A new solve, and F2 brings the open window up with its course.
        program.solve({{"2", "0"}, {"1", "4"}}, {"2", "9"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QVERIFY(course().contains("уравнение 1: 2·Х1 + 0·Х2 = 2"));
        QVERIFY(program.activate(window::HodResheniya_frm));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
    }
};

QTEST_MAIN(CourseTest)
#include "course_test.moc"
