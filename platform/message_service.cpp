#include "platform/message_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/service_seam.h"

namespace platform {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Application-modal boxes that run their own event loop until closed.
class QtMessageService final : public MessageService {
public:
    void show(const QString& text, const QString& title, MessageIcon icon) override
    {
        // A closed box does not hand the activation back by itself: the
        // window the user was in gets it back, if it still exists.
        const QPointer<QWidget> active = QApplication::activeWindow();
        QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok);
        box.setObjectName("MsgBox");
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        if (active && active->isVisible())
            active->activateWindow();
    }

    bool ask(const QString& text, const QString& title) override
    {
        const QPointer<QWidget> active = QApplication::activeWindow();
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
        box.setObjectName("MsgBox");
        box.setDefaultButton(QMessageBox::No);
        box.setWindowModality(Qt::ApplicationModal);
        const bool yes = box.exec() == QMessageBox::Yes;
        if (active && active->isVisible())
            active->activateWindow();
        return yes;
    }
};

using Seam = ServiceSeam<MessageService, QtMessageService>;

}  // namespace

MessageService& messageService()
{
    return Seam::get();
}

void setMessageService(MessageService* service)
{
    Seam::replace(service);
}

void msgBox(const QString& text, MessageIcon icon, const QString& title)
{
    messageService().show(text, title.isEmpty() ? fromUtf8(applicationTitle()) : title, icon);
}

}  // namespace platform
