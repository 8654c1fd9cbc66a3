#pragma once

#include <initializer_list>

#include <QList>
#include <QStringList>

#include "platform/message_service.h"
#include "platform/window_name.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {
class Form;
}

// Drives the program in its own process as a user does, for the tests, the
// screenshot tool and the benchmarks: starts it through its own start-up,
// finds its windows and controls by name, clicks, types and pastes, walks
// the road of a solve, and ends it through "Да". Message boxes are answered
// at once and recorded, as "title | text | icon".
//
// A window or control that is not there is a programmer's error in the
// caller: the driver stops the process with its name.
class ProgramDriver : public platform::MessageService {
public:
    // The messages shown and the questions asked; the answer to the next questions.
    QStringList messages;
    bool answerYes = true;

    ProgramDriver();
    ~ProgramDriver() override;
    void show(const QString& text, const QString& title, platform::MessageIcon icon) override;
    bool ask(const QString& text, const QString& title) override;

    // A fresh run: a new shared state, the main window shown and active; or,
    // given a system's file, as the command line starts it.
    void start(const QString& file = QString());
    // Ends the run as "Да" ends it; gives the names of the program's windows
    // that are still there, which should be none.
    QStringList end();

    static platform::Form* window(platform::WindowName name);
    static QWidget* control(platform::WindowName name, const QString& control);
    static QPushButton* button(platform::WindowName name, const QString& button);
    static QLineEdit* box(platform::WindowName name, const QString& box);
    static QWidget* focus();
    // The control with the focus, and a control of a window, named as window.control.
    static QString focusName();
    static QString at(platform::WindowName name, const QString& control);
    // The names of the open windows, or of the windows given, sorted.
    static QStringList openWindows();
    static QStringList names(std::initializer_list<platform::WindowName> windows);

    // Brings the window to the front and waits until it is active, as a
    // window the user works in is.
    static bool activate(platform::WindowName name);
    static void click(platform::WindowName name, const QString& button);
    // Types into a box as a user does: click into it, select what is there, type.
    static void type(platform::WindowName name, const QString& box, const QString& text);
    // One key event per character; QTest's own keyClicks knows ASCII only.
    static void typeKeys(QWidget* target, const QString& text);
    // Alt with the access key, as the shortcut matches it.
    static void altKey(char16_t letter);
    // The entries of the menu a right click on the box opens, without the
    // keys they show, or with them; the entry named, if any, is chosen.
    static QStringList menu(QLineEdit* box, const QString& choose = QString(), bool withKeys = false);

    // The road of a solve, step by step, as a user walks it.
    static QString cell(int i, int j);
    static QString answer(int i);
    // The text a results box shows: k = 0..7 for the unknowns, 9 for the figure.
    static QString result(int k);
    void goToCount();
    void goToCoefficients(int n);
    void typeCoefficients(const QList<QStringList>& rows);
    void goToAnswers(const QList<QStringList>& rows);
    void typeAnswers(const QStringList& answers);
    // Types the whole system and presses "Вычислить".
    void solve(const QList<QStringList>& rows, const QStringList& answers);
    // Walks to the window as a user does, with a system of n unknowns that
    // solves (ten on the diagonal, ones elsewhere): the course at its steps,
    // practice at its first rotation with every value asked. Gives the
    // window, active, or nullptr.
    platform::Form* walkTo(platform::WindowName name, int n);
};
