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
// replaces the old file only once it is complete. When that fails the old
// file stays as it was, and the outcome says why.
enum class SaveOutcome {
    Saved,
    NoFolder,      // the folder is not there
    NoPermission,  // no right to write into the folder
    WriteFailed,   // the writing failed part way (a full disk, a file-size limit)
};
SaveOutcome saveFile(const QString& path, const QByteArray& bytes);

// The file's name as the messages quote it.
QString quotedFileName(const QString& path);

}  // namespace platform
