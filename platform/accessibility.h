#pragma once

namespace platform {

// How the windows present themselves to screen readers: the two dialogs
// (the exit confirmation, the about dialog) as dialogs, whose texts a screen
// reader reads when they open, every other window as a window with its
// caption, and the decorative lines as separators.
void presentWindowsToAssistiveTechnology();

}  // namespace platform
