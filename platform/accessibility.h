#pragma once

#include <QAccessible>
#include <QStringList>

class QWidget;

namespace platform {

// How the windows present themselves to screen readers: the two dialogs
// (the exit confirmation, the about dialog) as dialogs, whose texts a screen
// reader reads when they open, every other window as a window with its
// caption, and the decorative lines as separators.
void presentWindowsToAssistiveTechnology();

// A control that a screen reader presents in the role given (a picture as
// an image, say), not as the plain widget it is; set before it is shown.
void presentAs(QWidget* control, QAccessible::Role role);

// What a screen reader says as a window opens: the control that has the
// focus then carries the window's texts in its description, ahead of its
// tool tip. A screen reader reads the texts of a new window when it reaches
// the window before the control, but not when the control comes first, and
// the result boxes never hold the focus at all.
void announceWithFocus(QWidget* control, const QStringList& texts);

}  // namespace platform
