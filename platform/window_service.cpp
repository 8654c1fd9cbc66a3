#include "platform/window_service.h"

#include <algorithm>
#include <cstdlib>

#include <QApplication>

#include "platform/form.h"
#include "platform/tab_order.h"

namespace platform {

WindowService& windows()
{
    static WindowService service;
    return service;
}

void WindowService::registerWindow(WindowName name, Factory factory)
{
    factories_[name.toString()] = std::move(factory);
}

// GCOVR_EXCL_START: a programmer's error stops the program; no test survives it.
void WindowService::wrongWindow(WindowName name, const char* what)
{
    qFatal("The window service has no window %s of class %s", qPrintable(name.toString()), what);
    std::abort();
}
// GCOVR_EXCL_STOP

Form* WindowService::show(WindowName name)
{
    if (Form* open = find(name)) {
        open->Form_Activate();
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    const auto factory = factories_.find(name.toString());
    if (factory == factories_.end())
        wrongWindow(name, "Form");

    // Several moves close the window they leave before they show the next
    // one: the program must not end when for a moment no window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    Form* form = factory->second();
    open_.push_back(form);
    try {
        form->Form_Load();
    } catch (...) {
        std::erase(open_, form);
        delete form;
        throw;
    }
    form->show();
    form->raise();
    form->activateWindow();
    form->tabOrder().focusFirst();
    return form;
}

void WindowService::unload(Form* form)
{
    if (!form || std::find(open_.begin(), open_.end(), form) == open_.end())
        return;
    std::erase(open_, form);
    form->markUnloaded();
    form->hide();
    dying_.emplace_back(form);
    form->deleteLater();
}

void WindowService::endProgram()
{
    ending_ = true;
    for (Form* form : open_) {
        form->markUnloaded();
        form->hide();
        dying_.emplace_back(form);
        form->deleteLater();
    }
    open_.clear();
    QCoreApplication::exit(0);
}

void WindowService::destroyAll()
{
    for (Form* form : open_)
        dying_.emplace_back(form);
    open_.clear();
    for (const auto& form : dying_)
        delete form.data();
    dying_.clear();
}

Form* WindowService::find(WindowName name) const
{
    const auto it = std::find_if(open_.begin(), open_.end(),
                                 [&](Form* form) { return form->objectName() == name.toString(); });
    return it == open_.end() ? nullptr : *it;
}

std::vector<Form*> WindowService::openWindows() const
{
    return open_;
}

void WindowService::showHelp(HelpTopic topic)
{
    if (helpViewer_)
        helpViewer_(topic);
}

}  // namespace platform
