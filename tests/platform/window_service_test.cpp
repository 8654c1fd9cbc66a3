#include <QApplication>
#include <QPointer>
#include <QTest>

#include "support/quiet_offscreen.h"
#include <QTimer>

#include "platform/runtime_error.h"
#include "platform/test_forms.h"
#include "platform/window_service.h"

using platform::windows;

class WindowServiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        quietOffscreenWarnings();
        windows().registerWindow(test_window::A_frm, [] { return new TestForm(test_window::A_frm); });
        windows().registerWindow(test_window::B_frm, [] { return new TestForm(test_window::B_frm); });
    }

    void cleanup()
    {
        windows().destroyAll();
        windows().restart();
        TestForm::failLoad = false;
    }

    void showRunsTheLoadStepBeforeTheWindowIsVisible()
    {
        auto* form = static_cast<TestForm*>(windows().show(test_window::A_frm));
        QVERIFY(form);
        QCOMPARE(form->loads, 1);
        QVERIFY(!form->loadedWhileVisible);
        QVERIFY(form->isVisible());
        QCOMPARE(windows().find(test_window::A_frm), form);
    }

    void secondShowOnlyRaisesTheOpenWindow()
    {
        auto* form = static_cast<TestForm*>(windows().show(test_window::A_frm));
        form->box->setText("typed");
        QCOMPARE(windows().show(test_window::A_frm), form);
        QCOMPARE(form->loads, 1);
        QCOMPARE(form->box->text(), QString("typed"));
        QCOMPARE(windows().openWindows().size(), std::size_t(1));
    }

    void unloadDestroysAndTheNextShowStartsAfresh()
    {
        QPointer<TestForm> form = static_cast<TestForm*>(windows().show(test_window::A_frm));
        form->box->setText("typed");
        windows().unload(form);
        QVERIFY(!form->isVisible());
        QVERIFY(!windows().find(test_window::A_frm));
        auto* fresh = static_cast<TestForm*>(windows().show(test_window::A_frm));
        QVERIFY(fresh != form.data());
        QVERIFY(fresh->box->text().isEmpty());
        QTRY_VERIFY(form.isNull());
    }

    void failedLoadDestroysTheWindowAndReachesTheCaller()
    {
        TestForm::failLoad = true;
        QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, windows().show(test_window::A_frm));
        QVERIFY(!windows().find(test_window::A_frm));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        TestForm::failLoad = false;
        QCOMPARE(static_cast<TestForm*>(windows().show(test_window::A_frm))->loads, 1);
    }

    void showPutsTheFocusOnTheLowestTabIndex()
    {
        auto* form = static_cast<TestForm*>(windows().show(test_window::A_frm));
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), form->first);
    }

    void endingClosesEveryWindowAndRunsNoFurtherEvent()
    {
        auto* a = static_cast<TestForm*>(windows().show(test_window::A_frm));
        auto* b = static_cast<TestForm*>(windows().show(test_window::B_frm));
        QPointer<TestForm> pa = a, pb = b;
        a->onFirst = [] { windows().endProgram(); };
        a->first->click();
        QVERIFY(windows().ending());
        QVERIFY(windows().openWindows().empty());
        QVERIFY(!pa->isVisible() && !pb->isVisible());
        pb->first->click();
        QCOMPARE(pb->firstClicks, 0);
        QTRY_VERIFY(pa.isNull() && pb.isNull());
    }

    void programGoesOnWhenForAMomentNoWindowIsOpen()
    {
        auto* a = static_cast<TestForm*>(windows().show(test_window::A_frm));
        a->onFirst = [a] {
            windows().unload(a);
            windows().show(test_window::B_frm);
        };
        QTimer::singleShot(0, a->first, &QPushButton::click);
        QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(windows().find(test_window::B_frm));
    }

    void endProgramEndsTheEventLoopWithStatusZero()
    {
        windows().show(test_window::A_frm);
        QTimer::singleShot(0, [] { windows().endProgram(); });
        QTimer::singleShot(2000, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(WindowServiceTest)
#include "window_service_test.moc"
