#include "navigation/saving.h"

#include "platform/message_service.h"
#include "platform/saved_file.h"

bool saveOrTell(const QString& path, const QByteArray& bytes, const QString& title)
{
    using platform::SaveOutcome;
    const SaveOutcome outcome = platform::saveFile(path, bytes);
    if (outcome == SaveOutcome::Saved)
        return true;
    const QString reason = outcome == SaveOutcome::NoFolder       ? QStringLiteral("такой папки нет")
                           : outcome == SaveOutcome::NoPermission ? QStringLiteral("нет прав на запись в эту папку")
                                                                  : QStringLiteral("запись не удалась (возможно, на диске нет места)");
    platform::msgBox(QStringLiteral("Не удаётся сохранить файл %1: %2. Прежний файл, если он был, остался без изменений.")
                         .arg(platform::quotedFileName(path), reason),
                     platform::MessageIcon::Exclamation, title);
    return false;
}
