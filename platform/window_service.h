#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QPointer>
#include <QString>

#include "platform/window_name.h"

namespace platform {

class Form;

// Shows, unloads and ends the windows of the program, by their names. Every
// window is modeless and has no owner, and exists at most once.
class WindowService {
public:
    using Factory = std::function<Form*()>;

    // Start-up tells the service how to make each window.
    void registerWindow(WindowName name, Factory factory);

    // Shows the window of that name. One that is not open is created, its
    // load step runs, then it becomes visible with the focus on its lowest
    // tab index; a run-time error of the load step destroys the new window
    // and reaches the caller. One that is open is brought to the front, and
    // its activate step runs.
    // A name that start-up did not register is a programmer's error: the
    // program stops with a message, in every build.
    Form* show(WindowName name);

    // The same, for a caller that needs the window's own class; a window of
    // another class under that name stops the program like an unknown name.
    template <class Window>
    Window* show(WindowName name);

    // Closes and destroys the window; the next show starts from its design state.
    void unload(Form* form);

    // Ends the program: every window is closed at once, no further event of
    // any window runs, and the event loop ends with status 0.
    void endProgram();
    bool ending() const { return ending_; }

    // Lets a new run begin in the same process (the window tests do so).
    void restart() { ending_ = false; }

    // Destroys what is left of the windows, once the event loop is over.
    void destroyAll();

    // The open window of that name, or nullptr.
    Form* find(WindowName name) const;
    std::vector<Form*> openWindows() const;

    // F1: the help viewer that start-up has set, for a topic of the help file.
    void setHelpViewer(std::function<void(HelpTopic topic)> viewer) { helpViewer_ = std::move(viewer); }
    void showHelp(HelpTopic topic);

private:
    [[noreturn]] static void wrongWindow(WindowName name, const char* what);

    std::map<QString, Factory> factories_;
    std::vector<Form*> open_;
    std::vector<QPointer<Form>> dying_;
    std::function<void(HelpTopic)> helpViewer_;
    bool ending_ = false;
};

WindowService& windows();

template <class Window>
Window* WindowService::show(WindowName name)
{
    auto* window = qobject_cast<Window*>(show(name));
    if (!window)
        wrongWindow(name, Window::staticMetaObject.className());
    return window;
}

}  // namespace platform
