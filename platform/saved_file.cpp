#include "platform/saved_file.h"

#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>


namespace platform {

QString quotedFileName(const QString& path)
{
    return u'«' + QDir::toNativeSeparators(path) + u'»';
}

SaveOutcome saveFile(const QString& path, const QByteArray& bytes)
{
#ifdef SIGXFSZ
    // A write past the user's file-size limit (ulimit -f) would end the
    // program; ignored, the write fails like any other and is reported.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QSaveFile file(path);
    // Unbuffered, so that a write that fails (a full disk) fails here and the
    // old file is not replaced: a buffered QSaveFile flushes its last bytes
    // only at commit, which then replaces the old file all the same.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit())
        return SaveOutcome::Saved;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    return !folder.isDir() ? SaveOutcome::NoFolder : !folder.isWritable() ? SaveOutcome::NoPermission : SaveOutcome::WriteFailed;
}

}  // namespace platform
