#include "platform/saved_file.h"

#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/message_service.h"

namespace platform {

QString quotedFileName(const QString& path)
{
    return u'«' + QDir::toNativeSeparators(path) + u'»';
}

bool saveFile(const QString& path, const QByteArray& bytes, const QString& title)
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
        return true;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    const QString reason = !folder.isDir()        ? QStringLiteral("такой папки нет")
                           : !folder.isWritable() ? QStringLiteral("нет прав на запись в эту папку")
                                                  : QStringLiteral("запись не удалась (возможно, на диске нет места)");
    msgBox(QStringLiteral("Не удаётся сохранить файл %1: %2. Прежний файл, если он был, остался без изменений.")
               .arg(quotedFileName(path), reason),
           MessageIcon::Exclamation, title);
    return false;
}

}  // namespace platform
