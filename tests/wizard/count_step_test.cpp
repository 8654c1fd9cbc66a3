#include <QLabel>

#include "support/program_fixture.h"

// The count step as a user works it: the key decides, "Далее" checks the text.
class CountStepTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    QLineEdit* box() { return program.box(window::Nachalo_frm, "Okno_txt"); }
    QPushButton* next() { return program.button(window::Nachalo_frm, "Dalee_cmd"); }

private slots:
    void init()
    {
        program.start();
        program.goToCount();
    }
    void cleanup() { program.stop(); }

    void opensEmptyWithNextDisabled()
    {
        platform::Form* step = program.window(window::Nachalo_frm);
        QCOMPARE(step->windowTitle(), QString("                             Начало работы"));
        QCOMPARE(step->size(), QSize(322, 194));
        QCOMPARE(box()->text(), QString());
        QCOMPARE(box()->maxLength(), 1);
        QVERIFY(!next()->isEnabled());
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Nachalo_frm, "Okno_txt"));
        QCOMPARE(next()->toolTip(), QString("Приступить к вводу коэффициентов"));
        QCOMPARE(program.button(window::Nachalo_frm, "Otmena_cmd")->toolTip(), QString("Отмена вычислений"));
        QVERIFY(program.control<QLabel>(window::Nachalo_frm, "Label1")->text().contains("в  вашей системе ( целое"));
        QCOMPARE(box()->font().pointSize(), 24);
        QVERIFY(box()->font().bold());
    }

    void digitEnablesNextMovesTheFocusAndStaysInTheBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("main-row 5") << int(Qt::Key_5) << int(Qt::NoModifier) << "5";
        QTest::newRow("main-row 2") << int(Qt::Key_2) << int(Qt::NoModifier) << "2";
        QTest::newRow("main-row 8") << int(Qt::Key_8) << int(Qt::NoModifier) << "8";
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5";
    }

    void digitEnablesNextMovesTheFocusAndStaysInTheBox()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QTest::keyClick(box(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box()->text(), text);
        QVERIFY(next()->isEnabled());
        QCOMPARE(program.focus(), next());
    }

    void enterStoresTheCountAndOpensTheGridForIt()
    {
        QTest::keyClick(box(), Qt::Key_5);
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QVERIFY(peremennye().kol_neizv == u"5");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QVERIFY(program.box(window::Start_frm, "Text1(36)")->isVisibleTo(program.window(window::Start_frm)));
        QVERIFY(!program.box(window::Start_frm, "Text1(37)")->isVisibleTo(program.window(window::Start_frm)));
    }

    void otherDigitsAndKeysLeaveNextDisabled_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("9") << int(Qt::Key_9) << int(Qt::NoModifier);
        QTest::newRow("1") << int(Qt::Key_1) << int(Qt::NoModifier);
        QTest::newRow("0") << int(Qt::Key_0) << int(Qt::NoModifier);
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("minus") << int(Qt::Key_Minus) << int(Qt::NoModifier);
        QTest::newRow("keypad 5, Num Lock off") << int(Qt::Key_Clear) << int(Qt::KeypadModifier);
        QTest::newRow("keypad 2, Num Lock off") << int(Qt::Key_Down) << int(Qt::KeypadModifier);
    }

    void otherDigitsAndKeysLeaveNextDisabled()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTest::keyClick(box(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!next()->isEnabled());
        QCOMPARE(program.focus(), box());
        QVERIFY(program.messages.isEmpty());
    }

    void backspaceAndDeleteDisableNextAgain()
    {
        QTest::keyClick(box(), Qt::Key_5);
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        QTest::keyClick(box(), Qt::Key_Backspace);
        QVERIFY(!next()->isEnabled());
        QCOMPARE(box()->text(), QString());
        QTest::keyClick(box(), Qt::Key_3);
        QVERIFY(next()->isEnabled());
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        QTest::keyClick(box(), Qt::Key_Delete);  // removes nothing, still disables
        QVERIFY(!next()->isEnabled());
        QCOMPARE(box()->text(), QString("3"));
    }

    void confirmingAfterACorrectionStoresTheNewCount()
    {
        QTest::keyClick(box(), Qt::Key_5);
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        QTest::keyClick(box(), Qt::Key_Backspace);
        QTest::keyClick(box(), Qt::Key_3);
        QTest::keyClick(program.focus(), Qt::Key_Space);
        QVERIFY(peremennye().kol_neizv == u"3");
        QVERIFY(program.window(window::Start_frm));
    }

    void shiftedDigitEnablesNextButItsCharacterIsRefused()
    {
        QTest::keyClick(box(), '%', Qt::ShiftModifier);  // Shift+5 on a US keyboard
        QCOMPARE(box()->text(), QString("%"));
        QVERIFY(next()->isEnabled());
        QCOMPARE(program.focus(), next());
        QTest::keyClick(next(), Qt::Key_Return);
        // The step stays, the text is selected for typing over, nothing is stored.
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        QVERIFY(!next()->isEnabled());
        QCOMPARE(program.focus(), box());
        QCOMPARE(box()->selectedText(), QString("%"));
        QVERIFY(peremennye().kol_neizv.empty());
        QVERIFY(program.messages.isEmpty());
        QTest::keyClick(box(), Qt::Key_4);
        QCOMPARE(box()->text(), QString("4"));
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QVERIFY(peremennye().kol_neizv == u"4");
    }

    void aNineThatALaterDigitDidNotReplaceIsRefused()
    {
        QTest::keyClick(box(), Qt::Key_9);
        QTest::keyClick(box(), Qt::Key_5);  // the box is full: 9 stays
        QCOMPARE(box()->text(), QString("9"));
        QVERIFY(next()->isEnabled());
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        QVERIFY(peremennye().kol_neizv.empty());
    }

    void anEmptiedOrPastedBoxIsRefused()
    {
        QTest::keyClick(box(), Qt::Key_5);
        box()->clear();  // cut with the mouse: no key, so "Далее" stays enabled
        QVERIFY(next()->isEnabled());
        QTest::mouseClick(next(), Qt::LeftButton);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        QVERIFY(!next()->isEnabled());
        QVERIFY(peremennye().kol_neizv.empty());
    }

    void cancelReturnsToTheMainWindowAndTheNextVisitStartsAfresh()
    {
        QTest::keyClick(box(), Qt::Key_5);
        program.click(window::Nachalo_frm, "Otmena_cmd");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(peremennye().kol_neizv.empty());
        program.goToCount();
        QCOMPARE(box()->text(), QString());
        QVERIFY(!next()->isEnabled());
    }

    void altWithTheAccessKeyCancels()
    {
        program.altKey(u'о');
        QTRY_COMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
    }
};

QTEST_MAIN(CountStepTest)
#include "count_step_test.moc"
