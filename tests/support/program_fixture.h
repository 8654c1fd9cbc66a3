#pragma once

#include <functional>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/form.h"
#include "platform/window_service.h"
#include "shell/startup.h"
#include "solver/peremennye.h"
#include "support/quiet_offscreen.h"
#include "support/recording_messages.h"

// Starts the program as users start it and drives it as they do. Message
// boxes are recorded and answered at once.
class ProgramFixture : public RecordingMessages {
public:
    // A fresh run: a new shared state, the main window shown and active.
    void start()
    {
        quietOffscreenWarnings();
        messages.clear();
        peremennye() = Peremennye{};
        platform::windows().restart();
        startProgram();
        activate(window::Baza_frm);
    }

    // Ends the run as "Да" ends it and checks that the program itself left
    // no window behind: none open, none shown, none alive.
    void stop()
    {
        if (!platform::windows().ending())
            platform::windows().endProgram();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList left;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<platform::Form*>(widget))
                left.append(widget->objectName());
        platform::windows().destroyAll();
        QVERIFY2(left.isEmpty(), qPrintable("windows left after the end: " + left.join(", ")));
    }

    static platform::Form* window(platform::WindowName name) { return platform::windows().find(name); }

    template <class Control>
    static Control* control(platform::WindowName windowName, const QString& name)
    {
        platform::Form* form = window(windowName);
        return form ? form->findChild<Control*>(name) : nullptr;
    }

    static QPushButton* button(platform::WindowName windowName, const QString& name)
    {
        return control<QPushButton>(windowName, name);
    }

    static QLineEdit* box(platform::WindowName windowName, const QString& name)
    {
        return control<QLineEdit>(windowName, name);
    }

    // Brings the window to the front and waits until it is active, as a
    // window the user works in is.
    static bool activate(platform::WindowName name)
    {
        platform::Form* form = window(name);
        if (!form)
            return false;
        form->activateWindow();
        return QTest::qWaitForWindowActive(form);
    }

    static void click(platform::WindowName windowName, const QString& name)
    {
        QPushButton* target = button(windowName, name);
        QVERIFY2(target, qPrintable(at(windowName, name)));
        QTest::mouseClick(target, Qt::LeftButton);
    }

    // Types into a box as a user does: click into it, select what is there, type.
    static void type(platform::WindowName windowName, const QString& name, const QString& text)
    {
        QLineEdit* target = box(windowName, name);
        QVERIFY2(target, qPrintable(at(windowName, name)));
        target->setFocus(Qt::MouseFocusReason);
        target->selectAll();
        if (text.isEmpty())
            QTest::keyClick(target, Qt::Key_Delete);
        typeKeys(target, text);
    }

    // One key event per character; QTest's own keyClicks knows ASCII only.
    static void typeKeys(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() > 0x20 && c.unicode() < 0x7F)
                QTest::keyClick(target, char(c.unicode()));
            else if (c == u' ')
                QTest::keyClick(target, Qt::Key_Space);
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    // Alt with the access key, upper-case code point as the shortcut matches it.
    static void altKey(char16_t letter)
    {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(QChar(letter).toUpper().unicode()),
                            QString(), Qt::AltModifier);
    }

    static QWidget* focus() { return QApplication::focusWidget(); }

    static QString focusName()
    {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget->window()->objectName() + "." + widget->objectName() : QString();
    }

    // A control of a window, named as focusName names it: window.control.
    static QString at(platform::WindowName windowName, const QString& control)
    {
        return windowName.toString() + "." + control;
    }

    // The names of windows, sorted as openWindows gives them.
    static QStringList names(std::initializer_list<platform::WindowName> windows)
    {
        QStringList list;
        for (const platform::WindowName name : windows)
            list.append(name.toString());
        list.sort();
        return list;
    }

    static QStringList openWindows()
    {
        QStringList list;
        for (platform::Form* form : platform::windows().openWindows())
            list.append(form->objectName());
        list.sort();
        return list;
    }

    // The road of a solve, step by step, as a user walks it.
    void goToCount()
    {
        click(window::Baza_frm, "Start_cmd");
        QVERIFY(activate(window::Nachalo_frm));
    }

    void goToCoefficients(int n)
    {
        goToCount();
        QTest::keyClick(box(window::Nachalo_frm, "Okno_txt"), char('0' + n));
        QTest::keyClick(focus(), Qt::Key_Return);
        QVERIFY(activate(window::Start_frm));
    }

    static QString cell(int i, int j) { return QStringLiteral("Text1(%1)").arg(8 * (i - 1) + (j - 1)); }

    void typeCoefficients(const QList<QStringList>& rows)
    {
        for (int i = 0; i < rows.size(); ++i)
            for (int j = 0; j < rows[i].size(); ++j)
                type(window::Start_frm, cell(i + 1, j + 1), rows[i][j]);
    }

    void goToAnswers(const QList<QStringList>& rows)
    {
        goToCoefficients(int(rows.size()));
        typeCoefficients(rows);
        click(window::Start_frm, "Next_cmd");
        QVERIFY(activate(window::Start2_frm));
    }

    void typeAnswers(const QStringList& answers)
    {
        for (int i = 0; i < answers.size(); ++i)
            type(window::Start2_frm, QStringLiteral("Text1(%1)").arg(i), answers[i]);
    }

    // Types the whole system and presses "Вычислить".
    void solve(const QList<QStringList>& rows, const QStringList& answers)
    {
        goToAnswers(rows);
        typeAnswers(answers);
        click(window::Start2_frm, "next_cmd");
    }

    // The text a results box shows: Text1(k), k = 0..7 for the unknowns, 9 for the figure.
    static QString result(int k) { return box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->text(); }
};
