#include "platform/saved_file.h"

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
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
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
