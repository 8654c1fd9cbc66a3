#pragma once

#include <QList>
#include <QString>

#include "message_service.h"

// Records every message box instead of showing it, and answers it at once.
class RecordingMessages : public platform::MessageService {
public:
    struct Message {
        QString text;
        QString title;
        platform::MessageIcon icon;
    };

    RecordingMessages() { platform::setMessageService(this); }
    ~RecordingMessages() override { platform::setMessageService(nullptr); }

    void show(const QString& text, const QString& title, platform::MessageIcon icon) override
    {
        shown.append({text, title, icon});
    }

    QList<Message> shown;
};
