#pragma once

#include <functional>

#include <QKeySequence>
#include <QString>

#include "platform/command.h"

class QLineEdit;

namespace platform {

// The menu a text box opens on a right click: the box's own entries, in the
// language of Qt's translation, with the window's entries below them, each
// showing its keys. And the window's own paste: what the user pastes into the
// box (Ctrl+V, Shift+Insert or the menu's paste) goes to the window as text.
// Handlers run guarded, and only while the box's window is live.
namespace box_menu {

void addEntry(QLineEdit* box, const QString& text, const QKeySequence& keys, std::function<void()> handler);
inline void addEntry(QLineEdit* box, const Command& command)
{
    addEntry(box, command.text, command.keys, command.action);
}

// A handler that gives false leaves the text to the box's own paste.
void onPaste(QLineEdit* box, std::function<bool(const QString& text)> handler);

}  // namespace box_menu

}  // namespace platform
