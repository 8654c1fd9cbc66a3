// Every window of the program stands within the screen, its buttons in
// reach, at the scale factors people use: 1 and 1.25 on 1366 × 768, 1.5 on
// 1920 × 1080, 2 on 2560 × 1440; and at 2 on 1366 × 768 (with and without a
// panel), whose screen is smaller than some windows, which then shrink or
// scroll. Each run is one screen and one scale (tests/shell/CMakeLists.txt).

#include <QAbstractScrollArea>
#include <QScreen>
#include <QScrollBar>

#include "support/program_fixture.h"

namespace {
const platform::WindowName Windows[] = {window::Baza_frm,    window::Exit_frm,     window::OProgramme_frm,
                                        window::Spravka_frm, window::Nachalo_frm,  window::Start_frm,
                                        window::Start2_frm,  window::Rezultat_frm, window::HodResheniya_frm,
                                        window::Praktika_frm, window::Zadaniya_frm};
}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString at(QWidget* widget) { return widget->window()->objectName() + "." + widget->objectName(); }

    static QString placed(QWidget* window)
    {
        QString text;
        QDebug(&text).nospace().noquote() << at(window) << " at " << window->frameGeometry() << " on a screen of "
                                << window->screen()->availableGeometry();
        return text;
    }

    // Whole in sight: each parent up to the window holds the control whole,
    // a scrolled one inside its viewport.
    static bool inSight(QWidget* control)
    {
        for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
            if (!parent->rect().contains(QRect(control->mapTo(parent, QPoint()), control->size())))
                return false;
            if (parent->isWindow())
                break;
        }
        return true;
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void everyWindowStandsOnTheScreenWithEveryButtonInReach_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(Windows)); ++row)
            QTest::newRow(qPrintable(Windows[row].toString())) << row;
    }

    // A button cut off by the window's edge, or by a scrolled view that Tab
    // does not bring it into, is a button the user cannot press.
    void everyWindowStandsOnTheScreenWithEveryButtonInReach()
    {
        QFETCH(int, row);
        platform::Form* form = program.walkTo(Windows[row], 8);
        QVERIFY2(form, qPrintable(Windows[row].toString() + " is not open and active"));
        QTRY_VERIFY2(form->screen()->availableGeometry().contains(form->frameGeometry()),
                 qPrintable(placed(form) + " stands partly off the screen"));
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(form) || inSight(button))
                continue;
            for (int tabs = 0; tabs < 100 && program.focus() != button; ++tabs)
                QTest::keyClick(program.focus(), Qt::Key_Tab);
            QVERIFY2(program.focus() == button, qPrintable(at(button) + " is cut off and Tab does not reach it"));
            QTRY_VERIFY2(inSight(button), qPrintable(at(button) + " stays out of sight after Tab"));
            // Scrolled away from it, a window's own rule that gives it the
            // focus brings it into sight as well.
            QTest::keyClick(button, Qt::Key_Backtab);
            QAbstractScrollArea* view = nullptr;
            for (QWidget* parent = button->parentWidget(); parent && !view; parent = parent->parentWidget())
                view = qobject_cast<QAbstractScrollArea*>(parent);
            QVERIFY(view);
            for (QScrollBar* bar : {view->horizontalScrollBar(), view->verticalScrollBar()})
                bar->setValue(bar->value() > 0 ? 0 : bar->maximum());
            QVERIFY(!inSight(button));
            button->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY2(inSight(button), qPrintable(at(button) + " stays out of sight with the focus"));
        }
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
