#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/window_service.h"
#include "shell/startup.h"
#include "solver/peremennye.h"
#include "support/quiet_offscreen.h"
#include "support/recording_messages.h"

// Starts the program as users start it and drives it as they do. Message
// boxes are recorded and answered at once.
class ProgramFixture : public RecordingMessages {
public:
    ~ProgramFixture() override { stop(); }

    // A fresh run: a new shared state, the main window shown and active.
    void start()
    {
        quietOffscreenWarnings();
        stop();
        messages.clear();
        peremennye() = Peremennye{};
        startProgram();
        activate(window::Baza_frm);
    }

    // What the end of a test leaves: no window at all.
    static void stop()
    {
        platform::windows().destroyAll();
        platform::windows().restart();
        QApplication::processEvents();
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
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(QChar(letter).toUpper().unicode()), QString(),
                            Qt::AltModifier);
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
        QStringList names;
        for (platform::Form* form : platform::windows().openWindows())
            names.append(form->objectName());
        names.sort();
        return names;
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

    void typeCoefficients(const QList<QStringList>& rows)
    {
        for (int i = 0; i < rows.size(); ++i)
            for (int j = 0; j < rows[i].size(); ++j)
                type(window::Start_frm, QStringLiteral("Text1(%1)").arg(8 * i + j), rows[i][j]);
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

    // Opens every window of the program in turn, the wizard with eight
    // unknowns, and hands each to check while it is open.
    void visitEveryWindow(const std::function<void(platform::Form*)>& check)
    {
        start();
        check(window(window::Baza_frm));
        click(window::Baza_frm, "Exit_cmd");
        check(window(window::Exit_frm));
        click(window::Exit_frm, "CancelButton");
        click(window::Baza_frm, "OProgr_cmd");
        check(window(window::OProgramme_frm));
        click(window::OProgramme_frm, "cmdOK");
        QTest::keyClick(window(window::Baza_frm), Qt::Key_F1);
        check(window(window::Spravka_frm));
        click(window::Spravka_frm, "Close_cmd");
        goToCount();
        check(window(window::Nachalo_frm));
        QTest::keyClick(box(window::Nachalo_frm, "Okno_txt"), Qt::Key_8);
        QTest::keyClick(focus(), Qt::Key_Return);
        check(window(window::Start_frm));
        QList<QStringList> rows;
        QStringList answers;
        for (int i = 0; i < 8; ++i) {
            QStringList row;
            for (int j = 0; j < 8; ++j)
                row.append(i == j ? "10" : "1");
            rows.append(row);
            answers.append(QString::number(i));
        }
        typeCoefficients(rows);
        click(window::Start_frm, "Next_cmd");
        check(window(window::Start2_frm));
        typeAnswers(answers);
        click(window::Start2_frm, "next_cmd");
        check(window(window::Rezultat_frm));
        stop();
    }
};
