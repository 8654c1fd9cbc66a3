#pragma once

#include <QString>

namespace platform {

enum class MessageIcon { None, Stop, Exclamation, Information };

// Message boxes that wait until the user closes them: with one OK button,
// or a question with "Да" and "Нет" ("Нет" the default). A seam, so that
// window tests can answer and record them without blocking.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void show(const QString& text, const QString& title, MessageIcon icon) = 0;
    // True for "Да".
    virtual bool ask(const QString& text, const QString& title) = 0;
};

// The service in force: the real message boxes unless a test has set its own.
MessageService& messageService();
// nullptr goes back to the real message boxes.
void setMessageService(MessageService* service);

// Shows a message; without a title it carries the application title.
void msgBox(const QString& text, MessageIcon icon = MessageIcon::None, const QString& title = QString());

}  // namespace platform
