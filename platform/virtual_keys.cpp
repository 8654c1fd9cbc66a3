#include "platform/virtual_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace platform {

namespace {

int fromUsShiftedDigit(int key)
{
    // The characters of Shift+0 .. Shift+9 on a US keyboard.
    static constexpr char shifted[] = ")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit) {
        if (key == shifted[digit])
            return vk::Digit0 + digit;
    }
    return 0;
}

}  // namespace

int toWinVk(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeVirtualKey,
            QStringView platformName)
{
    switch (key) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Delete:
        return vk::Delete;
    default:
        break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return (modifiers & Qt::KeypadModifier) ? vk::Numpad0 + digit : vk::Digit0 + digit;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;

    if (platformName == u"windows" && nativeVirtualKey != 0)
        return static_cast<int>(nativeVirtualKey);
    if ((platformName == u"xcb" || platformName.startsWith(u"wayland")) && nativeScanCode != 0) {
        // X keycodes are evdev codes + 8: 10..19 are the keys 1..9, 0 of the main row.
        if (nativeScanCode >= 10 && nativeScanCode <= 19)
            return vk::Digit0 + static_cast<int>(nativeScanCode - 9) % 10;
        return 0;
    }
    if (nativeScanCode == 0)
        return fromUsShiftedDigit(key);
    return 0;
}

int toWinVk(const QKeyEvent& event)
{
    return toWinVk(event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey(),
                   QGuiApplication::platformName());
}

}  // namespace platform
