#include <QClipboard>

#include "platform/regional_settings.h"
#include "support/program_fixture.h"

// The clipboard in both directions, in Russian whatever the regional
// settings: a block or a column pasted into the entry screens, the results
// copied out, and the menus of the boxes.
class ClipboardTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString cell(int i, int j) { return ProgramFixture::cell(i, j); }

    QStringList grid(int n)
    {
        QStringList texts;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                texts.append(program.box(window::Start_frm, cell(i, j))->text());
        return texts;
    }

    static void paste(QLineEdit* box, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void aBlockFillsTheGridFromTheBoxPastedIntoAsTexts()
    {
        program.goToCoefficients(3);
        paste(program.box(window::Start_frm, cell(1, 1)), " 3\t1\t-1 \r\n1\t1 234\t1\r\n2\t-1\t4\r\n");  // from a spreadsheet
        QCOMPARE(grid(3), QStringList({"3", "1", "-1", "1", "1 234", "1", "2", "-1", "4"}));
        program.typeCoefficients({{"", "", ""}});
        paste(program.box(window::Start_frm, cell(1, 2)), "7;8\n9;x\n");  // semicolons, from rightwards of (1, 2)
        QCOMPARE(grid(3), QStringList({"", "7", "8", "1", "9", "x", "2", "-1", "4"}));
        QVERIFY(program.messages.isEmpty());
        program.type(window::Start_frm, cell(1, 1), "5");
        program.click(window::Start_frm, "Next_cmd");  // the pasted "x" is refused as if it had been typed
        QCOMPARE(program.messages.value(0), QString("Ошибка в строке 2 | Не является числом коэффициент при Х3 | stop"));
    }

    void cellsBeyondTheBlockAreLeftOutAndTheUserIsToldHowMany()
    {
        program.goToCoefficients(3);
        paste(program.box(window::Start_frm, cell(1, 1)), "1\t2\t3\t4\n5\t6\t7\t8\n9\t10\t11\t12\n13\t14\t15\t16\n");
        QCOMPARE(grid(3), QStringList({"1", "2", "3", "5", "6", "7", "9", "10", "11"}));
        QCOMPARE(program.messages,
                 QStringList({"Реализация метода вращений | Не поместилось значений: 7. Они не вставлены. | information"}));
    }

    // A long number shows its sign: a box shows its text from the beginning
    // once pasted into or left, and whole as its tool tip.
    void aLongNegativeNumberShowsItsStartAndWholeAsAToolTip()
    {
        program.goToCoefficients(2);
        const QString number = "-12345" + QString::fromStdU16String(platform::regionalSettings().decimalSeparator)
                               + "678901234567";
        paste(program.box(window::Start_frm, cell(1, 1)), number + "\t2\n3\t4\n");
        QLineEdit* pasted = program.box(window::Start_frm, cell(1, 1));
        QCOMPARE(pasted->text(), number);
        QCOMPARE(pasted->cursorPosition(), 0);
        QCOMPARE(pasted->toolTip(), number);
        QCOMPARE(program.box(window::Start_frm, cell(1, 2))->toolTip(), QString());  // "2" fits its box
        program.type(window::Start_frm, cell(2, 2), number);
        QCOMPARE(program.box(window::Start_frm, cell(2, 2))->cursorPosition(), number.size());
        QTest::keyClick(program.focus(), Qt::Key_Tab);
        QCOMPARE(program.box(window::Start_frm, cell(2, 2))->cursorPosition(), 0);
    }

    void oneValueIsAnOrdinaryPaste()
    {
        program.goToCoefficients(2);
        program.type(window::Start_frm, cell(1, 1), "12");
        QLineEdit* box = program.box(window::Start_frm, cell(1, 1));
        box->setCursorPosition(1);
        QGuiApplication::clipboard()->setText("5\n");
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(box->text(), QString("152"));
        QCOMPARE(program.box(window::Start_frm, cell(1, 2))->text(), QString());
        paste(box, "");  // nothing to paste: nothing changes, nothing is said
        QCOMPARE(box->text(), QString("152"));
        QVERIFY(program.messages.isEmpty());
    }

    void aColumnOrARowFillsTheRightHandSidesDownwards()
    {
        program.goToAnswers({{"2", "0", "0"}, {"0", "2", "0"}, {"0", "0", "2"}});
        QLineEdit* second = program.box(window::Start2_frm, "Text1(1)");
        paste(second, "4\n6\n8\n");
        QVERIFY(program.messages.value(0).contains("Не поместилось значений: 1. Они не вставлены."));
        QGuiApplication::clipboard()->setText("2\t8\t10");  // a row, through the box's menu
        program.menu(program.box(window::Start2_frm, "Text1(0)"), "В&ставить");
        QCOMPARE(program.box(window::Start2_frm, "Text1(2)")->text(), QString("10"));
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.result(1), QString("4"));
    }

    void theResultsGoToTheClipboardWithCtrlCOrFromTheMenu()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        const QString figure = "0" + QString::fromStdU16String(platform::regionalSettings().decimalSeparator)
                               + "000000000000027491236800242";
        const QString copied = "Х1\t1\nХ2\t1\nПогрешность вычислений (%)\t" + figure + "\n";
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QGuiApplication::clipboard()->clear();
        QLineEdit* figureBox = program.box(window::Rezultat_frm, "Text1(9)");
        program.menu(figureBox, "Копировать результаты");
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(figureBox->toolTip(), figure);
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Rezultat_frm, "NaBazu_cmd"));
    }

    void ctrlCCopiesTheSelectionWhenThereIsOne()
    {
        program.solve({{"4", "0"}, {"0", "2"}}, {"10", "-3"});
        QLineEdit* second = program.box(window::Rezultat_frm, "Text1(1)");
        QCOMPARE(second->text(), QString("-1") + QString::fromStdU16String(platform::regionalSettings().decimalSeparator) + "5");
        second->setSelection(1, 1);
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("1"));
        program.box(window::Rezultat_frm, "Text1(0)")->setSelection(0, 1);  // one selection at a time
        QVERIFY(!second->hasSelectedText());
        program.box(window::Rezultat_frm, "Text1(0)")->deselect();
        QTest::keyClick(program.focus(), Qt::Key_C, Qt::ControlModifier);
        const QString mark = QString::fromStdU16String(platform::regionalSettings().decimalSeparator);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Х1\t2" + mark + "5\nХ2\t-1" + mark + "5\n"));
    }

    void theMenusOfTheBoxesAreInRussian()
    {
        program.goToAnswers({{"1", "0"}, {"0", "1"}});
        const QStringList editable = {"&Отменить действие", "&Повторить действие", "", "&Вырезать", "&Копировать",
                                      "В&ставить", "Удалить", "", "Выделить всё"};
        QCOMPARE(program.menu(program.box(window::Start2_frm, "Text1(0)"), QString(), true).mid(9),
                 QStringList({"", "Открыть систему...\tCtrl+O", "Сохранить систему...\tCtrl+S",
                              "Практика по методу вращений...\tF4"}));
        QCOMPARE(program.menu(program.box(window::Start2_frm, "Text1(0)")).mid(0, 9), editable);
        program.typeAnswers({"1", "1"});
        program.click(window::Start2_frm, "next_cmd");
        QCOMPARE(program.menu(program.box(window::Rezultat_frm, "Text1(0)")).mid(0, 4),
                 QStringList({"&Копировать", "", "Выделить всё", ""}));
        // The window's own entries show their keys.
        QCOMPARE(program.menu(program.box(window::Rezultat_frm, "Text1(0)"), QString(), true).mid(4),
                 QStringList({"Копировать результаты\tCtrl+C", "Ход решения...\tF2", "Ход решения по шагам...\tShift+F2",
                             "Повторить последнюю систему\tF3", "Практика по методу вращений...\tF4",
                             "Открыть систему...\tCtrl+O", "Сохранить систему...\tCtrl+S"}));
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        program.goToCoefficients(2);
        QCOMPARE(program.menu(program.box(window::Start_frm, cell(2, 2))), editable + QStringList({"", "Открыть систему..."}));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
