#pragma once

#include <functional>

#include <QKeySequence>
#include <QString>

namespace platform {

// A command of a window: its words in a menu, its keys, its tool tip, and
// what it does. One table of them serves a window's own commands (its keys
// and the menu of a right click on it) and the menus of its boxes.
struct Command {
    QString text;
    QKeySequence keys;
    QString toolTip;
    std::function<void()> action;
};

}  // namespace platform
