#include "platform/control_events.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>

#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/runtime/runtime_error.h"
#include "platform/virtual_keys.h"

namespace platform {

namespace {

void reportUnhandled(int number, const std::string& description)
{
    msgBox(fromUtf8(unhandledErrorText(number, description)), MessageIcon::Stop);
}

}  // namespace

ControlEvents::ControlEvents(Form& form) : QObject(&form), form_(form)
{
}

void ControlEvents::watch(QWidget* control)
{
    control->installEventFilter(this);
}

std::function<void()> ControlEvents::whileLive(std::function<void()> handler)
{
    return [this, handler = std::move(handler)] {
        if (form_.isLive())
            runGuarded(handler);
    };
}

void ControlEvents::onClick(QPushButton* button, std::function<void()> handler)
{
    connect(button, &QPushButton::clicked, this, whileLive(std::move(handler)));
}

void ControlEvents::onKeyDown(QWidget* control, std::function<void(int)> handler)
{
    keyDown_.insert(control, std::move(handler));
}

void ControlEvents::onLostFocus(QWidget* control, std::function<void()> handler)
{
    lostFocus_.insert(control, std::move(handler));
}

void ControlEvents::onShortcut(const QKeySequence& keys, std::function<void()> handler)
{
    connect(new QShortcut(keys, &form_), &QShortcut::activated, this, whileLive(std::move(handler)));
}

QAction* ControlEvents::onCommand(const QString& text, const QKeySequence& keys, const QString& toolTip,
                                  std::function<void()> handler)
{
    auto* command = new QAction(text, &form_);
    command->setShortcut(keys);
    command->setToolTip(toolTip);
    connect(command, &QAction::triggered, this, whileLive(std::move(handler)));
    form_.addAction(command);
    if (form_.contextMenuPolicy() != Qt::CustomContextMenu) {
        form_.setContextMenuPolicy(Qt::CustomContextMenu);
        connect(&form_, &QWidget::customContextMenuRequested, this, &ControlEvents::showCommands);
    }
    return command;
}

void ControlEvents::onFileDrop(std::function<void(const QString&)> handler)
{
    fileDropped_ = std::move(handler);
    form_.setAcceptDrops(true);
    watch(&form_);
}

// A drag that carries one local file is the window's; any other is left to
// the control under it (text dragged into a box, say).
bool ControlEvents::fileDrop(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drop->mimeData()->urls();
    if (!fileDropped_ || urls.size() != 1 || !urls.front().isLocalFile())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        const QString path = urls.front().toLocalFile();
        runGuarded([&] { fileDropped_(path); });
    }
    return true;
}

void ControlEvents::showCommands(const QPoint& at)
{
    if (!form_.isLive())
        return;
    auto* menu = new QMenu(&form_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setToolTipsVisible(true);
    for (QAction* command : form_.actions()) {
        // The keys stand beside the text, as in every menu of the program.
        command->setShortcutVisibleInContextMenu(true);
        menu->addAction(command);
    }
    menu->popup(form_.mapToGlobal(at));
}

void ControlEvents::moveFocusLater(QWidget* target)
{
    // The move belongs to the focus change under way: if something else has
    // moved the focus by the time it runs (a check that puts the focus on a
    // refused box, say), that move stands.
    const QPointer<QWidget> focusNow = QApplication::focusWidget();
    QTimer::singleShot(0, target, [this, target = QPointer<QWidget>(target), focusNow] {
        if (!target || !form_.isLive() || QApplication::focusWidget() != focusNow.data())
            return;
        // The control that holds the focus now only passes it on: in the
        // classic order of events the focus went straight to the target.
        const QScopedValueRollback passingOn(passingFocusOn_, true);
        target->setFocus(Qt::OtherFocusReason);
    });
}

void ControlEvents::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportUnhandled(error.number(), error.description());
    } catch (const std::exception& error) {
        reportUnhandled(0, QString::fromLocal8Bit(error.what()).toStdString());
    }
}

bool ControlEvents::keyPress(QObject* watched, QKeyEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (const auto handler = keyDown_.constFind(watched); handler != keyDown_.cend()) {
        const int selectionStart = box ? box->selectionStart() : -1;
        const int selectionLength = box ? box->selectionLength() : 0;
        const int keyCode = toWinVk(*event);
        runGuarded([&] { (*handler)(keyCode); });
        if (box && selectionStart >= 0 && !box->hasFocus())
            box->setSelection(selectionStart, selectionLength);
    }
    // Alt with a letter that is no access key types nothing, as on Windows.
    return (event->modifiers() & Qt::AltModifier) && box && !event->text().isEmpty() && event->text().at(0).isPrint();
}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (!form_.isLive())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(watched, static_cast<QKeyEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return fileDrop(event);
    case QEvent::FocusOut: {
        // Another window coming to the front, or a popup, moves no focus
        // inside this window.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || passingFocusOn_)
            break;
        if (const auto handler = lostFocus_.constFind(watched); handler != lostFocus_.cend())
            runGuarded(*handler);
        break;
    }
    default:
        break;
    }
    return false;
}

}  // namespace platform
