#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "support/quiet_offscreen.h"

#include "platform/busy_cursor.h"
#include "platform/runtime_error.h"
#include "platform/test_forms.h"
#include "platform/window_service.h"
#include "support/recording_messages.h"

using platform::windows;

class FormTest : public QObject {
    Q_OBJECT

private:
    TestForm* showForm(platform::Frame frame = platform::Frame::FixedSingle)
    {
        windows().registerWindow(test_window::Test_frm, [frame] { return new TestForm(test_window::Test_frm, frame); });
        auto* form = static_cast<TestForm*>(windows().show(test_window::Test_frm));
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("window not active");
        return form;
    }

private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void cleanup()
    {
        windows().destroyAll();
        windows().restart();
    }

    void enterAndSpacePressTheFocusedButton()
    {
        TestForm* form = showForm();
        form->second->setFocus();
        QTest::keyClick(form->second, Qt::Key_Return);
        QTest::keyClick(form->second, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(form->second, Qt::Key_Space);
        QCOMPARE(form->secondClicks, 3);
        QCOMPARE(form->firstClicks, 0);
    }

    void escapeDoesNothingWithoutACancelButton()
    {
        TestForm* form = showForm();
        QTest::keyClick(form->box, Qt::Key_Escape);
        QTest::keyClick(form->first, Qt::Key_Escape);
        QCOMPARE(form->firstClicks + form->secondClicks, 0);
        QVERIFY(form->isVisible());
    }

    void escapePressesTheCancelButtonWhateverHasTheFocus()
    {
        TestForm* form = showForm();
        form->setCancelButton(form->second);
        QTest::keyClick(form->box, Qt::Key_Escape);
        QTest::keyClick(form->first, Qt::Key_Escape);
        QCOMPARE(form->secondClicks, 2);
    }

    void accessKeyPressesItsButton()
    {
        TestForm* form = showForm();
        QTest::sendKeyEvent(QTest::Click, form->box, Qt::Key(0x0412), QString(), Qt::AltModifier);  // Alt+В
        QTRY_COMPARE(form->secondClicks, 1);
    }

    void altWithALetterTypesNothingInABox()
    {
        TestForm* form = showForm();
        form->box->setFocus();
        QTest::keyClick(form->box, Qt::Key_Q, Qt::AltModifier);
        QVERIFY(form->box->text().isEmpty());
        QTest::keyClick(form->box, Qt::Key_Q);
        QCOMPARE(form->box->text(), QString("q"));
    }

    void keyDownHandlerSeesTheVirtualKeyAndTheCharacterStillArrives()
    {
        TestForm* form = showForm();
        QList<int> codes;
        form->onKeyDown(form->box, [&](int code) {
            codes.append(code);
            form->first->setFocus();
        });
        form->box->setFocus();
        QTest::keyClick(form->box, Qt::Key_5);
        QTest::keyClick(form->box, Qt::Key_Backspace);
        QCOMPARE(codes, QList<int>({53, 8}));
        QCOMPARE(form->box->text(), QString());
        QTest::keyClick(form->box, '%', Qt::ShiftModifier);
        QCOMPARE(codes.last(), 53);
        QCOMPARE(form->box->text(), QString("%"));
        QCOMPARE(QApplication::focusWidget(), form->first);
    }

    void f1AsksTheHelpViewerForTheWindowsTopic()
    {
        QList<platform::HelpTopic> topics;
        windows().setHelpViewer([&](platform::HelpTopic topic) { topics.append(topic); });
        TestForm* form = showForm();
        QTest::keyClick(form->box, Qt::Key_F1);
        form->setHelpTopic(platform::HelpTopic::Coefficients);
        QTest::keyClick(form->box, Qt::Key_F1);
        QCOMPARE(topics, QList<platform::HelpTopic>({platform::HelpTopic::Coefficients}));
        windows().setHelpViewer(nullptr);
    }

    void focusHandlersIgnoreAnotherWindowComingToTheFront()
    {
        TestForm* form = showForm();
        int lost = 0, got = 0;
        form->onLostFocus(form->box, [&] { ++lost; });
        form->onGotFocus(form->box, [&] { ++got; });
        form->box->setFocus();
        QCOMPARE(got, 1);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(lost, 0);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(got, 1);
        QTest::keyClick(form->box, Qt::Key_Tab);
        QCOMPARE(lost, 1);
    }

    void focusMovedLaterArrivesOnceTheChangeIsOver()
    {
        TestForm* form = showForm();
        form->onLostFocus(form->box, [&] { form->moveFocusLater(form->second); });
        form->box->setFocus();
        QTest::keyClick(form->box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->first);
        QTRY_COMPARE(QApplication::focusWidget(), form->second);
    }

    void tabIndexAssignmentShiftsTheOthers()
    {
        TestForm* form = showForm();
        // Designed: First 0, Second 1, Text1 2.
        QCOMPARE(form->firstInTabOrder(), form->first);
        form->setTabIndex(form->box, 0);
        QCOMPARE(form->tabIndex(form->box), 0);
        QCOMPARE(form->tabIndex(form->first), 1);
        QCOMPARE(form->tabIndex(form->second), 2);
        form->box->setFocus();
        QTest::keyClick(form->box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->first);
        QTest::keyClick(form->first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->second);
        QTest::keyClick(form->second, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->box);
    }

    void runTimeErrorsNeverReachTheEventLoop()
    {
        RecordingMessages recorder;
        TestForm* form = showForm();
        const int before = platform::unhandledErrorCount();
        form->onFirst = [] { platform::raiseDivisionByZero(); };
        QTest::mouseClick(form->first, Qt::LeftButton);
        QCOMPARE(platform::unhandledErrorCount(), before + 1);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].text, QString("Ошибка выполнения '11':\n\nДеление на ноль"));
        QCOMPARE(recorder.messages[0].title, QString("Реализация метода вращений"));
        QVERIFY(form->isVisible());
    }

    void busyCursorIsShownAndAlwaysRestored()
    {
        QVERIFY(!QGuiApplication::overrideCursor());
        {
            const platform::BusyCursor busy;
            QVERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        try {
            const platform::BusyCursor busy;
            platform::raiseOverflow();
        } catch (const platform::RuntimeError&) {
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void closingFromTheTitleBarPressesTheLeaveButtonAndTheWindowStays()
    {
        TestForm* form = showForm();
        form->setLeaveButton(form->second);
        QCloseEvent close;
        QApplication::sendEvent(form, &close);
        QVERIFY(!close.isAccepted());
        QCOMPARE(form->secondClicks, 1);
        QVERIFY(form->isVisible());
        QCOMPARE(windows().find(test_window::Test_frm), form);
    }

    void outerSizesConvertWithTheFrameTheyAssume()
    {
        TestForm fixed(test_window::A_frm, platform::Frame::FixedSingle);
        fixed.setOuterSizeTwips(2280, 1866);
        QCOMPARE(fixed.size(), QSize(146, 92));
        TestForm sizable(test_window::B_frm, platform::Frame::Sizable);
        sizable.setOuterSizeTwips(2805, 1460);
        QCOMPARE(sizable.size(), QSize(179, 63));
        QCOMPARE(sizable.outerSizeTwips(), QSizeF(2805, 1455));
    }

    void loadCentresByTheOuterSizeAndThenByTheRealFrame()
    {
        TestForm form;
        form.centreOnScreen();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Nominal frame: 6 px wider and 32 px taller than the client area.
        QCOMPARE(form.pos(), QPoint(screen.x() + (screen.width() - (300 + 6)) / 2,
                                    screen.y() + (screen.height() - (200 + 32)) / 2));
        TestForm* shown = showForm();
        QTRY_VERIFY(qAbs(shown->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(shown->frameGeometry().center().y() - screen.center().y()) <= 1);
    }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
