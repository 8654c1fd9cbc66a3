#include "shell/Spravka_frm.h"
#include "support/program_fixture.h"

// The coefficient grid: its size for n, the tab order and focus rules, the
// check-and-store pass and its messages.
class CoefficientsTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString cell(int i, int j) { return QStringLiteral("Text1(%1)").arg(8 * (i - 1) + (j - 1)); }
    static double stored(int i, int j) { return peremennye().matr_rassh(i, j).value(); }
    static double copied(int i, int j) { return peremennye().matr_kopiya(i, j).value(); }

    QStringList visibleBoxes()
    {
        QStringList names;
        platform::Form* grid = program.window(window::Start_frm);
        for (int k = 0; k < 64; ++k) {
            QLineEdit* box = program.box(window::Start_frm, QStringLiteral("Text1(%1)").arg(k));
            const bool inside = grid->rect().contains(box->geometry());
            if (box->isVisibleTo(grid))
                names.append(box->objectName() + (inside ? "" : " (cut)"));
        }
        return names;
    }

    void tab(Qt::Key key = Qt::Key_Tab)
    {
        QTest::keyClick(program.focus(), key);
        QApplication::processEvents();  // the deferred focus rules
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void twoUnknownsCutTheGridToTwoByTwo()
    {
        program.goToCoefficients(2);
        platform::Form* grid = program.window(window::Start_frm);
        QCOMPARE(grid->windowTitle(), QString("Ввод левой части"));
        // Outer 2280 x 1866 twips, less the fixed frame's 90 x 480.
        QCOMPARE(grid->size(), QSize(146, 92));
        QCOMPARE(visibleBoxes(), QStringList({"Text1(0)", "Text1(1)", "Text1(8)", "Text1(9)"}));
        QVERIFY(grid->rect().contains(program.button(window::Start_frm, "Next_cmd")->geometry()));
        QVERIFY(grid->rect().contains(program.button(window::Start_frm, "Exit_cmd")->geometry()));
        QCOMPARE(program.button(window::Start_frm, "Next_cmd")->toolTip(), QString("Приступить к вводу ответов"));
    }

    void twoUnknownsTabRowByRowThenToTheButtons()
    {
        program.goToCoefficients(2);
        QStringList walk{program.focusName()};
        for (int k = 0; k < 6; ++k) {
            tab();
            walk.append(program.focusName());
        }
        QStringList expected;
        for (const char* control : {"Text1(0)", "Text1(1)", "Text1(8)", "Text1(9)", "Next_cmd", "Exit_cmd", "Text1(0)"})
            expected.append(ProgramFixture::at(window::Start_frm, control));
        QCOMPARE(walk, expected);
    }

    void eightUnknownsShowTheWholeGridInDesignOrder()
    {
        program.goToCoefficients(8);
        platform::Form* grid = program.window(window::Start_frm);
        // Outer 8760 x 4062 twips.
        QCOMPARE(grid->size(), QSize(578, 239));
        QCOMPARE(visibleBoxes().size(), 64);
        QVERIFY(!visibleBoxes().join(",").contains("cut"));
        for (int k = 0; k < 64; ++k)
            QCOMPARE(grid->tabIndex(program.box(window::Start_frm, QStringLiteral("Text1(%1)").arg(k))), k);
        QCOMPARE(grid->tabIndex(program.button(window::Start_frm, "Next_cmd")), 64);
        // With n = 8 the last box hands nothing on: Tab goes to "Далее".
        program.box(window::Start_frm, "Text1(63)")->setFocus(Qt::MouseFocusReason);
        tab(Qt::Key_Backtab);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Text1(62)"));
    }

    void leavingTheLastBoxOfTheBlockGoesToNext()
    {
        program.goToCoefficients(3);
        program.box(window::Start_frm, cell(3, 3))->setFocus(Qt::MouseFocusReason);
        tab(Qt::Key_Backtab);
        QTRY_COMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Next_cmd"));
        // Leaving "Далее", whichever way, goes to "Выход".
        tab(Qt::Key_Backtab);
        QTRY_COMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Exit_cmd"));
        program.button(window::Start_frm, "Next_cmd")->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(program.box(window::Start_frm, cell(1, 1)), Qt::LeftButton);
        QTRY_COMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Exit_cmd"));
    }

    void acceptedPassStoresEveryCellWithItsCopyAndMovesOn()
    {
        program.goToCoefficients(3);
        program.typeCoefficients({{"1,5", " -2 ", "1E3"}, {"0", "-0,25", "1 234,5"}, {"7", "8", "10"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        const double expected[3][3] = {{1.5, -2, 1000}, {0, -0.25, 1234.5}, {7, 8, 10}};
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 3; ++j) {
                QCOMPARE(stored(i, j), expected[i - 1][j - 1]);
                QCOMPARE(copied(i, j), expected[i - 1][j - 1]);
            }
        }
        QVERIFY(program.messages.isEmpty());
    }

    void refusedBoxIsReportedWithItsRowAndColumn()
    {
        program.goToCoefficients(3);
        program.typeCoefficients({{"1", "2", "3"}, {"4", "5", ""}, {"7", "8", "9"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.messages.size(), 2);
        QCOMPARE(program.messages[0].text, QString("Не является числом коэффициент при Х3"));
        QCOMPARE(program.messages[0].title, QString("Ошибка в строке 2"));
        QCOMPARE(program.messages[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(program.messages[1].text, QString("Попробуйте ввести его заново"));
        QCOMPARE(program.messages[1].title, QString("Реализация метода вращений"));
        QCOMPARE(program.messages[1].icon, platform::MessageIcon::Exclamation);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QApplication::processEvents();
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Text1(10)"));
    }

    void onlyTheFirstRefusedBoxIsReported()
    {
        program.goToCoefficients(2);
        program.typeCoefficients({{"1", "x"}, {"y", "2"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.messages.size(), 2);
        QCOMPARE(program.messages[0].title, QString("Ошибка в строке 1"));
        QCOMPARE(program.messages[0].text, QString("Не является числом коэффициент при Х2"));
    }

    void refusalMidwayKeepsEarlierCellsAndCorrectionCompletesTheMatrix()
    {
        // Values of an earlier solve stand in the cells.
        program.goToCoefficients(2);
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j)
                peremennye().matr_rassh(i, j) = peremennye().matr_kopiya(i, j) = 9.0;
        program.typeCoefficients({{"1", "2"}, {"1.5", "4"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(stored(1, 1), 1.0);
        QCOMPARE(copied(1, 2), 2.0);
        QCOMPARE(stored(2, 1), 9.0);  // refused: a full stop under Russian settings
        QCOMPARE(copied(2, 1), 9.0);
        QCOMPARE(stored(2, 2), 9.0);
        program.type(window::Start_frm, cell(2, 1), "1,5");
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
        QCOMPARE(stored(2, 1), 1.5);
        QCOMPARE(copied(2, 1), 1.5);
        QCOMPARE(stored(2, 2), 4.0);
    }

    void numberBeyondTheDoubleRangeIsRefusedAndNothingIsLost()
    {
        program.goToCoefficients(2);
        program.typeCoefficients({{"1", "1E999"}, {"3", "4"}});
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(program.messages.size(), 2);
        QCOMPARE(program.messages[0].text, QString("Не является числом коэффициент при Х2"));
        QCOMPARE(program.box(window::Start_frm, cell(2, 2))->text(), QString("4"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
    }

    void exitThenNoKeepsEveryTypedCoefficient()
    {
        program.goToCoefficients(3);
        program.typeCoefficients({{"1", "2", "3"}, {"4,5"}});
        program.click(window::Start_frm, "Exit_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Start_frm}));
        program.click(window::Exit_frm, "CancelButton");
        QCOMPARE(program.box(window::Start_frm, cell(1, 3))->text(), QString("3"));
        QCOMPARE(program.box(window::Start_frm, cell(2, 1))->text(), QString("4,5"));
        // The title-bar close asks the same question and keeps the window.
        program.window(window::Start_frm)->close();
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Exit_frm, window::Start_frm}));
    }

    void f1ShowsTheGridsHelpTopic()
    {
        program.goToCoefficients(2);
        QTest::keyClick(program.focus(), Qt::Key_F1);
        auto* help = static_cast<Spravka_frm*>(program.window(window::Spravka_frm));
        QVERIFY(help);
        QCOMPARE(help->topic(), platform::HelpTopic::Coefficients);
        QVERIFY(program.window(window::Start_frm));
    }
};

QTEST_MAIN(CoefficientsTest)
#include "coefficients_test.moc"
