#pragma once

#include <functional>

#include <QHash>
#include <QObject>

#include "platform/command.h"

class QAction;
class QKeyEvent;
class QKeySequence;
class QPushButton;
class QWidget;

namespace platform {

class Form;

// The events of a window's controls as the forms runtime gave them, on one
// event filter: a click, a key down with the Windows virtual-key code, a
// lost focus, and keys that act in the whole window. Every handler runs
// guarded, and none runs once the window is unloaded or the program ends.
//
// Two classic orders of events that Qt does not keep by itself:
// - the character of a key still lands in the box it was typed in, over the
//   selection as it stood, after a key-down handler has moved the focus;
// - a focus moved from a lost-focus handler moves once the focus change
//   under way has finished (moveFocusLater), so that one lost-focus handler
//   never runs inside another, and the control that only passes the focus on
//   does not run its own.
class ControlEvents : public QObject {
    Q_OBJECT

public:
    explicit ControlEvents(Form& form);

    // The filter sees the control's keys and focus: every control of the
    // window's design is watched.
    void watch(QWidget* control);

    template <class Window>
    void onClick(QPushButton* button, void (Window::*handler)());
    void onClick(QPushButton* button, std::function<void()> handler);
    void onKeyDown(QWidget* control, std::function<void(int keyCode)> handler);
    void onLostFocus(QWidget* control, std::function<void()> handler);
    // Keys that act in the whole window, wherever the focus is.
    void onShortcut(const QKeySequence& keys, std::function<void()> handler);
    // A command of the whole window: on its keys, wherever the focus is, and
    // in the menu a right click on the window opens (its boxes have menus of
    // their own), with its keys and its tool tip shown.
    QAction* onCommand(const QString& text, const QKeySequence& keys, const QString& toolTip,
                       std::function<void()> handler);
    QAction* onCommand(const Command& command) { return onCommand(command.text, command.keys, command.toolTip, command.action); }
    // A file dragged from a file manager and dropped anywhere on the window,
    // its boxes too (which otherwise take a dropped file's name as text).
    void onFileDrop(std::function<void(const QString& path)> handler);

    void moveFocusLater(QWidget* target);

    // Runs a handler; a run-time error it does not handle itself is reported
    // ("Ошибка выполнения") and the program goes on.
    static void runGuarded(const std::function<void()>& handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The handler, run guarded and only while the window is live.
    std::function<void()> whileLive(std::function<void()> handler);
    bool keyPress(QObject* watched, QKeyEvent* event);
    bool fileDrop(QEvent* event);
    void showCommands(const QPoint& at);

    Form& form_;
    QHash<QObject*, std::function<void(int)>> keyDown_;
    QHash<QObject*, std::function<void()>> lostFocus_;
    std::function<void(const QString&)> fileDropped_;
    bool passingFocusOn_ = false;
};

template <class Window>
void ControlEvents::onClick(QPushButton* button, void (Window::*handler)())
{
    Window* window = static_cast<Window*>(&form_);
    onClick(button, [window, handler] { (window->*handler)(); });
}

}  // namespace platform
