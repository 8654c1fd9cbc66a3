#include "platform/announcement.h"

#include <QAccessible>

#include "platform/accessibility.h"

namespace platform {

Announcement::Announcement(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    presentAs(this, QAccessible::Notification);
    setGeometry(0, 0, 1, 1);
    QWidget::hide();
}

void Announcement::say(const QString& text)
{
    hush();
    setAccessibleName(text);
    show();
}

void Announcement::hush()
{
    hide();
}

}  // namespace platform
