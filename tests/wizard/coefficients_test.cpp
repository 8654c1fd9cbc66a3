#include <stdexcept>

#include "platform/control_events.h"
#include "shell/Spravka_frm.h"
#include "support/program_fixture.h"

// The coefficient grid: cut to n x n, its tab order and focus rules, the
// check-and-store pass and its messages.
class CoefficientsTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString cell(int i, int j) { return ProgramFixture::cell(i, j); }
    static double stored(int i, int j) { return peremennye().matr_rassh(i, j).value(); }
    static double copied(int i, int j) { return peremennye().matr_kopiya(i, j).value(); }

    QStringList visibleBoxes()
    {
        QStringList names;
        platform::Form* grid = program.window(window::Start_frm);
        for (QLineEdit* box : grid->findChildren<QLineEdit*>())
            if (box->isVisibleTo(grid) && grid->rect().contains(box->geometry()))
                names.append(box->objectName());
        names.sort();
        return names;
    }

    // Leaves the control with the focus the way named; gives where the focus ends.
    QString leave(const QString& way, const QString& clickTarget)
    {
        if (way == "Tab" || way == "Shift+Tab")
            QTest::keyClick(program.focus(), way == "Tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        else
            QTest::mouseClick(program.box(window::Start_frm, clickTarget), Qt::LeftButton);
        QTest::qWait(20);  // the focus rules move the focus once the change is over
        return program.focusName();
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void twoUnknownsCutTheGridAndTabGoesRowByRowThenToTheButtons()
    {
        program.goToCoefficients(2);
        QCOMPARE(visibleBoxes(), QStringList({"Text1(0)", "Text1(1)", "Text1(8)", "Text1(9)"}));
        QStringList walk{program.focusName()};
        for (int k = 0; k < 6; ++k)
            walk.append(leave("Tab", QString()));
        QStringList expected;
        for (const char* control : {"Text1(0)", "Text1(1)", "Text1(8)", "Text1(9)", "Next_cmd", "Exit_cmd", "Text1(0)"})
            expected.append(ProgramFixture::at(window::Start_frm, control));
        QCOMPARE(walk, expected);
        QTest::keyClick(program.focus(), Qt::Key_Q, Qt::AltModifier);  // no access key: types nothing
        QCOMPARE(program.box(window::Start_frm, cell(1, 1))->text(), QString());
    }

    void focusRulesHoldWhicheverWayTheFocusLeaves_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("to");
        for (const char* way : {"Tab", "Shift+Tab", "a click elsewhere"}) {
            QTest::addRow("last box of the block, %s", way) << 3 << cell(3, 3) << way << "Next_cmd";
            QTest::addRow("Далее, %s", way) << 3 << "Next_cmd" << way << "Exit_cmd";
        }
        // With eight unknowns the last box hands nothing on.
        QTest::newRow("last box of eight, Shift+Tab") << 8 << cell(8, 8) << "Shift+Tab" << cell(8, 7);
        QTest::newRow("last box of eight, a click elsewhere") << 8 << cell(8, 8) << "a click elsewhere" << cell(1, 1);
    }

    void focusRulesHoldWhicheverWayTheFocusLeaves()
    {
        QFETCH(int, n);
        QFETCH(QString, from);
        QFETCH(QString, way);
        QFETCH(QString, to);
        program.goToCoefficients(n);
        program.window(window::Start_frm)->findChild<QWidget*>(from)->setFocus(Qt::TabFocusReason);
        QTest::qWait(20);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, from));
        QCOMPARE(leave(way, cell(1, 1)), ProgramFixture::at(window::Start_frm, to));
    }

    void aRunTimeErrorNoHandlerTakesIsReportedAndTheProgramGoesOn()
    {
        program.goToCoefficients(2);
        peremennye().kol_neizv.assign(1, u'x');
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.messages,
                 QStringList("Реализация метода вращений | Ошибка выполнения '13':\n\nНесоответствие типа | stop"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        // An error of no kind the program knows: error 0, with its own words.
        program.messages.clear();
        platform::ControlEvents::runGuarded([] { throw std::length_error("vector::reserve"); });
        QCOMPARE(program.messages, QStringList("Реализация метода вращений | Ошибка выполнения '0':\n\nvector::reserve | stop"));
    }

    void anotherWindowComingToTheFrontMovesNoFocus()
    {
        program.goToCoefficients(3);
        program.box(window::Start_frm, cell(3, 3))->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(program.focus(), Qt::Key_F1);
        QVERIFY(program.activate(window::Spravka_frm));
        QCOMPARE(static_cast<Spravka_frm*>(program.window(window::Spravka_frm))->topic(), help::Coefficients);
        QVERIFY(program.activate(window::Start_frm));
        QTest::qWait(20);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, cell(3, 3)));
    }

    void anAcceptedPassStoresEveryCellWithItsCopyAndMovesOn()
    {
        program.goToCoefficients(3);
        // The program's number rules, not Qt's: those refuse 1E-999 and a
        // no-break space between groups.
        program.typeCoefficients({{"1,5", " -2 ", "1E3"}, {"1E-999", "-0,25", "1 234,5"}, {"7", "8", "1\u00A0000"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        const double expected[3][3] = {{1.5, -2, 1000}, {0, -0.25, 1234.5}, {7, 8, 1000}};
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 3; ++j) {
                QCOMPARE(stored(i, j), expected[i - 1][j - 1]);
                QCOMPARE(copied(i, j), expected[i - 1][j - 1]);
            }
        }
        QVERIFY(program.messages.isEmpty());
    }

    void theFirstRefusedBoxIsNamedByItsRowAndColumnAndGetsTheFocus()
    {
        program.goToCoefficients(3);
        program.typeCoefficients({{"1", "2", "3"}, {"4", "5", "inf"}, {"", "8", "9"}});  // Qt's rules take inf
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.messages, QStringList({"Ошибка в строке 2 | Не является числом коэффициент при Х3 | stop",
                                                "Реализация метода вращений | Попробуйте ввести его заново | exclamation"}));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QTest::qWait(20);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, cell(2, 3)));
    }

    void aRefusalMidwayKeepsTheEarlierCellsAndTheCorrectionCompletesTheMatrix()
    {
        program.goToCoefficients(2);
        for (int i = 1; i <= 2; ++i)  // what an earlier solve left
            for (int j = 1; j <= 2; ++j)
                peremennye().matr_rassh(i, j) = peremennye().matr_kopiya(i, j) = 9.0;
        program.typeCoefficients({{"1", "2"}, {"1.5", "4"}});  // a full stop under Russian settings
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(copied(1, 2), 2.0);
        QCOMPARE(stored(2, 1), 9.0);
        QCOMPARE(stored(2, 2), 9.0);
        program.type(window::Start_frm, cell(2, 1), "1,5");
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        QCOMPARE(copied(2, 1), 1.5);
        QCOMPARE(stored(2, 2), 4.0);
    }

};

QTEST_MAIN(CoefficientsTest)
#include "coefficients_test.moc"
