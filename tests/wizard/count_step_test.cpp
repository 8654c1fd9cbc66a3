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

    void otherKeysLeaveNextDisabledAndSayNothing()
    {
        const std::pair<Qt::Key, Qt::KeyboardModifier> keys[] = {
            {Qt::Key_9, Qt::NoModifier}, {Qt::Key_1, Qt::NoModifier}, {Qt::Key_0, Qt::NoModifier},
            {Qt::Key_A, Qt::NoModifier}, {Qt::Key_Down, Qt::KeypadModifier}};  // the last: keypad 2, Num Lock off
        for (const auto& [key, modifier] : keys) {
            QTest::keyClick(box(), key, modifier);
            QVERIFY2(!next()->isEnabled() && program.focus() == box(), qPrintable(QKeySequence(key).toString()));
            box()->clear();
        }
        QVERIFY(program.messages.isEmpty());
    }

    void backspaceAndDeleteDisableNextAndANewDigitIsStored()
    {
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {  // Delete at the end removes nothing
            QTest::keyClick(box(), Qt::Key_5);
            QVERIFY(next()->isEnabled());
            QTest::mouseClick(box(), Qt::LeftButton);
            QTest::keyClick(box(), Qt::Key_End);
            QTest::keyClick(box(), key);
            QVERIFY(!next()->isEnabled());
            box()->clear();
        }
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
