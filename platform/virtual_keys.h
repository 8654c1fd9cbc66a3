#pragma once

#include <QStringView>
#include <Qt>

class QKeyEvent;

namespace platform {

// The Windows virtual-key code of the physical key behind a key event, Shift
// or not: the main-row digits are 48..57 whatever the layout and the Shift
// state, the keypad digits with Num Lock on 96..105, Backspace 8, Delete 46
// (the keypad's too). 0 for a key the program has no use for.
//
// On X11 and Wayland the main-row digits are found by their scan codes
// (layout-independent); on Windows the native code already is the virtual
// key; where neither is known (synthetic events), a shifted digit is known by
// its character on a US keyboard.
int toWinVk(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeVirtualKey,
            QStringView platformName);
int toWinVk(const QKeyEvent& event);

namespace vk {
inline constexpr int Back = 8;
inline constexpr int Delete = 46;
inline constexpr int Digit0 = 48;
inline constexpr int Numpad0 = 96;
}  // namespace vk

}  // namespace platform
