#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/window_service.h"
#include "shell/startup.h"
#include "solver/peremennye.h"

// Starts the program as users start it and drives it as they do. Message
// boxes are recorded, as "title | text | icon", and answered at once.
class ProgramFixture : public platform::MessageService {
public:
    QStringList messages;

    ProgramFixture() { platform::setMessageService(this); }
    ~ProgramFixture() override { platform::setMessageService(nullptr); }
    void show(const QString& text, const QString& title, platform::MessageIcon icon) override
    {
        static const char* const icons[] = {"no icon", "stop", "exclamation", "information"};
        messages.append(title + " | " + text + " | " + icons[static_cast<int>(icon)]);
    }

    // A fresh run: a new shared state, the main window shown and active.
    void start()
    {
        // The offscreen platform warns of every window raised and every size
        // hint it cannot pass on, which the program does as on a desktop.
        static const QtMessageHandler qtTest = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains(QLatin1String("This plugin does not support")))
                    qtTest(type, context, text);
            });
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
    static Control* control(platform::WindowName name, const QString& control)
    {
        return window(name) ? window(name)->findChild<Control*>(control) : nullptr;
    }
    static QPushButton* button(platform::WindowName name, const QString& button) { return control<QPushButton>(name, button); }
    static QLineEdit* box(platform::WindowName name, const QString& box) { return control<QLineEdit>(name, box); }
    static QWidget* focus() { return QApplication::focusWidget(); }

    // Brings the window to the front and waits until it is active, as a
    // window the user works in is.
    static bool activate(platform::WindowName name)
    {
        platform::Form* form = window(name);
        return form && (form->activateWindow(), QTest::qWaitForWindowActive(form));
    }

    static void click(platform::WindowName name, const QString& button)
    {
        QVERIFY2(ProgramFixture::button(name, button), qPrintable(at(name, button)));
        QTest::mouseClick(ProgramFixture::button(name, button), Qt::LeftButton);
    }

    // Types into a box as a user does: click into it, select what is there, type.
    static void type(platform::WindowName name, const QString& boxName, const QString& text)
    {
        QLineEdit* target = box(name, boxName);
        QVERIFY2(target, qPrintable(at(name, boxName)));
        target->setFocus(Qt::MouseFocusReason);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        typeKeys(target, text);
    }

    // One key event per character; QTest's own keyClicks knows ASCII only.
    static void typeKeys(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() > 0x20 && c.unicode() < 0x7F)
                QTest::keyClick(target, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, target, c == u' ' ? Qt::Key_Space : Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    // The entries of the menu a right click on the box opens; the entry named, if any, is chosen.
    static QStringList menu(QLineEdit* box, const QString& choose = QString())
    {
        emit box->customContextMenuRequested(box->rect().center());
        QStringList entries;
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : popup ? popup->actions() : QList<QAction*>()) {
            entries.append(action->text().section('\t', 0, 0));
            if (entries.last() == choose)
                action->trigger();
        }
        if (popup)
            popup->close();
        return entries;
    }

    // Alt with the access key, upper-case code point as the shortcut matches it.
    static void altKey(char16_t letter)
    {
        QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key(QChar(letter).toUpper().unicode()), QString(), Qt::AltModifier);
    }

    // The control with the focus, and a control of a window, named as window.control.
    static QString focusName()
    {
        return focus() ? focus()->window()->objectName() + "." + focus()->objectName() : QString();
    }
    static QString at(platform::WindowName name, const QString& control) { return name.toString() + "." + control; }

    // The names of the open windows, or of the windows given, sorted.
    static QStringList openWindows()
    {
        QStringList list;
        for (platform::Form* form : platform::windows().openWindows())
            list.append(form->objectName());
        list.sort();
        return list;
    }
    static QStringList names(std::initializer_list<platform::WindowName> windows)
    {
        QStringList list;
        for (const platform::WindowName name : windows)
            list.append(name.toString());
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
    static QString answer(int i) { return QStringLiteral("Text1(%1)").arg(i - 1); }
    // The text a results box shows: Text1(k), k = 0..7 for the unknowns, 9 for the figure.
    static QString result(int k) { return box(window::Rezultat_frm, QStringLiteral("Text1(%1)").arg(k))->text(); }

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
            type(window::Start2_frm, answer(i + 1), answers[i]);
    }

    // Types the whole system and presses "Вычислить".
    void solve(const QList<QStringList>& rows, const QStringList& answers)
    {
        goToAnswers(rows);
        typeAnswers(answers);
        click(window::Start2_frm, "next_cmd");
    }
};
