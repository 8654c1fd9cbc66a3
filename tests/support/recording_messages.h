#pragma once

#include <functional>

#include <QList>
#include <QString>

#include "platform/message_service.h"

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
        messages.append({text, title, icon});
        if (onMessage)
            onMessage(messages.last());
    }

    QList<Message> messages;
    // Called with each message as it is answered.
    std::function<void(const Message&)> onMessage;
};
