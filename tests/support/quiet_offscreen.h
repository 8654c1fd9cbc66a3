#pragma once

#include <QString>
#include <QtGlobal>

// The offscreen platform warns of every window raised and every size hint it
// cannot pass on; the program does both as on a desktop. Those warnings are
// dropped, every other message goes through. Call it once Qt Test has set its
// own handler (from a test slot): that one receives the rest.
namespace quiet_offscreen {
inline QtMessageHandler previous = nullptr;

inline void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("This plugin does not support")))
        return;
    if (previous)
        previous(type, context, text);
}
}  // namespace quiet_offscreen

inline void quietOffscreenWarnings()
{
    const QtMessageHandler old = qInstallMessageHandler(quiet_offscreen::handler);
    if (old != quiet_offscreen::handler)
        quiet_offscreen::previous = old;
}
