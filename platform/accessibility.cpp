#include "platform/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>

#include "platform/form.h"

namespace platform {

namespace {

const char* const RoleProperty = "teskoraAccessibleRole";

QAccessibleInterface* presentation(const QString&, QObject* object)
{
    if (const QVariant role = object->property(RoleProperty); role.isValid() && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
    if (auto* form = qobject_cast<Form*>(object))
        return new QAccessibleWidget(form, form->frame() == Frame::FixedDialog ? QAccessible::Dialog : QAccessible::Window);
    // A plain QFrame is a line here; the boxes and labels are frames of other classes.
    if (auto* line = qobject_cast<QFrame*>(object);
        line && object->metaObject() == &QFrame::staticMetaObject
        && (line->frameShape() == QFrame::HLine || line->frameShape() == QFrame::VLine))
        return new QAccessibleWidget(line, QAccessible::Separator);
    return nullptr;
}

}  // namespace

void announceWithFocus(QWidget* control, const QStringList& texts)
{
    QStringList sentences;
    for (const QString& text : texts + QStringList{control->toolTip()}) {
        if (text.isEmpty())
            continue;
        const QChar last = text.back();
        sentences.append(last == u'.' || last == u'?' || last == u'!' ? text : text + u'.');
    }
    control->setAccessibleDescription(sentences.join(u' '));
}

void presentAs(QWidget* control, QAccessible::Role role)
{
    control->setProperty(RoleProperty, static_cast<int>(role));
}

void presentWindowsToAssistiveTechnology()
{
    static const bool installed = (QAccessible::installFactory(presentation), true);
    Q_UNUSED(installed);
}

}  // namespace platform
