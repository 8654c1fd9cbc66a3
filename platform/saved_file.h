#pragma once

#include <string_view>

#include <QByteArray>
#include <QString>

namespace platform {

// How the text files the program writes end their lines: as the platform's
// own editors expect.
#ifdef Q_OS_WIN
inline constexpr std::string_view TextLineEnd = "\r\n";
#else
inline constexpr std::string_view TextLineEnd = "\n";
#endif

// Writes a file whole or not at all: into a temporary file beside it, which
// replaces the old file only once it is complete. When that fails (no right
// to write there, a full disk) the user is told why in a message with the
// title given, the old file stays as it was, and the result is false.
bool saveFile(const QString& path, const QByteArray& bytes, const QString& title);

// The file's name as the messages quote it.
QString quotedFileName(const QString& path);

}  // namespace platform
