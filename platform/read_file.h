#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A file the user named, read whole without ever blocking the windows: only
// a regular file is opened. A named pipe, a socket or a device is refused by
// its kind before anything is opened for reading (opening a pipe waits for a
// writer; reading a device may never end).
struct ReadFile {
    enum class Outcome {
        Read,          // bytes holds the whole file
        Missing,       // no such file
        Folder,        // a folder
        Pipe,          // a named pipe (FIFO)
        Socket,        // a socket
        Device,        // a device
        Loop,          // symbolic links that lead round in a circle
        NoPermission,  // no right to read it
        TooLarge,      // larger than the most asked for: size
        Failed,        // the reading failed
    };
    Outcome outcome = Outcome::Failed;
    QByteArray bytes;
    qint64 size = 0;
};

ReadFile readFile(const QString& path, qint64 maxBytes);

}  // namespace platform
