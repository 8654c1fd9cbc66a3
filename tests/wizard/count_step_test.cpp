#include <QClipboard>

#include "support/program_fixture.h"

// The count step as a user works it: the key decides, "Далее" checks the text.
class CountStepTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    QLineEdit* box() { return program.box(window::Nachalo_frm, "Okno_txt"); }
    QPushButton* next() { return program.button(window::Nachalo_frm, "Dalee_cmd"); }

    void expectRefused(const QString& text)
    {
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Nachalo_frm}));
        QVERIFY(!next()->isEnabled());
        QCOMPARE(program.focus(), box());
        QCOMPARE(box()->selectedText(), text);  // selected, to be typed over
        QVERIFY(peremennye().kol_neizv.empty());
        QVERIFY(program.messages.isEmpty());
    }

private slots:
    void init()
    {
        program.start();
        program.goToCount();
    }
    void cleanup() { program.stop(); }

    void aDigitFromTwoToEightEnablesNextMovesTheFocusAndLandsInTheBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("main-row 2") << int(Qt::Key_2) << int(Qt::NoModifier);
        QTest::newRow("main-row 8") << int(Qt::Key_8) << int(Qt::NoModifier);
        QTest::newRow("keypad 5, Num Lock on") << int(Qt::Key_5) << int(Qt::KeypadModifier);
    }

    void aDigitFromTwoToEightEnablesNextMovesTheFocusAndLandsInTheBox()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(!next()->isEnabled());
        QTest::keyClick(box(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box()->text(), QString(QChar(key)));
        QVERIFY(next()->isEnabled());
        QCOMPARE(program.focus(), next());
    }

    void otherKeysLeaveNextDisabledAndSayNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("9") << int(Qt::Key_9) << int(Qt::NoModifier);
        QTest::newRow("1") << int(Qt::Key_1) << int(Qt::NoModifier);
        QTest::newRow("0") << int(Qt::Key_0) << int(Qt::NoModifier);
        QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("keypad 2, Num Lock off") << int(Qt::Key_Down) << int(Qt::KeypadModifier);
    }

    void otherKeysLeaveNextDisabledAndSayNothing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTest::keyClick(box(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!next()->isEnabled());
        QCOMPARE(program.focus(), box());
        QVERIFY(program.messages.isEmpty());
    }

    void enterStoresTheCountAndOpensTheGridCutToIt()
    {
        QTest::keyClick(box(), Qt::Key_5);
        QTest::keyClick(program.focus(), Qt::Key_Return);
        QVERIFY(peremennye().kol_neizv == u"5");
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        platform::Form* grid = program.window(window::Start_frm);
        QVERIFY(program.box(window::Start_frm, ProgramFixture::cell(5, 5))->isVisibleTo(grid));
        QVERIFY(!program.box(window::Start_frm, ProgramFixture::cell(5, 6))->isVisibleTo(grid));
    }

    void backspaceAndDeleteDisableNextAndANewDigitIsStored()
    {
        QTest::keyClick(box(), Qt::Key_5);
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        QTest::keyClick(box(), Qt::Key_Backspace);
        QVERIFY(!next()->isEnabled());
        QTest::keyClick(box(), Qt::Key_3);
        QVERIFY(next()->isEnabled());
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        QTest::keyClick(box(), Qt::Key_Delete);  // removes nothing, and still disables
        QVERIFY(!next()->isEnabled());
        QTest::keyClick(box(), Qt::Key_Backspace);
        QTest::keyClick(box(), Qt::Key_3);
        QTest::keyClick(program.focus(), Qt::Key_Space);
        QVERIFY(peremennye().kol_neizv == u"3");
    }

    void aNineThatALaterDigitDidNotReplaceIsRefused()
    {
        QTest::keyClick(box(), Qt::Key_9);
        QTest::keyClick(box(), Qt::Key_5);  // the box is full: the 9 stays
        QCOMPARE(box()->text(), QString("9"));
        expectRefused("9");
    }

    void aPasteNeverEnablesNextAndACutCountIsRefused()
    {
        QGuiApplication::clipboard()->setText("5");
        QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box()->text(), QString("5"));
        QVERIFY(!next()->isEnabled());
        box()->clear();
        QTest::keyClick(box(), Qt::Key_6);
        box()->selectAll();
        QTest::keyClick(box(), Qt::Key_X, Qt::ControlModifier);  // cut: no key that the step looks at
        QCOMPARE(box()->text(), QString());
        QVERIFY(next()->isEnabled());
        expectRefused(QString());
    }

    void cancelReturnsToTheMainWindowAndTheNextVisitStartsAfresh()
    {
        QTest::keyClick(box(), Qt::Key_5);
        program.altKey(u'о');
        QTRY_COMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QVERIFY(peremennye().kol_neizv.empty());
        program.goToCount();
        QCOMPARE(box()->text(), QString());
        QVERIFY(!next()->isEnabled());
    }
};

QTEST_MAIN(CountStepTest)
#include "count_step_test.moc"
