#include "platform/scrolled_client.h"

#include <QApplication>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>

namespace platform {

namespace {

// Moves the window's own controls to another parent in the same window, so
// that the chain of focus stays as it was; a control hidden stays hidden.
// On a window already shown a control loses the focus while it moves: it
// goes as when the window is deactivated, which no lost-focus handler takes
// for a move of the focus, and comes back the same way.
void moveControls(QWidget& window, QWidget& from, QWidget& to, const QWidget* except)
{
    const QPointer<QWidget> focused = window.isVisible() ? window.focusWidget() : nullptr;
    if (focused)
        window.setFocus(Qt::ActiveWindowFocusReason);
    for (QWidget* control : from.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == except || control->isWindow())
            continue;
        const bool hidden = control->isHidden();
        control->setParent(&to);
        control->setVisible(!hidden);
    }
    if (focused)
        focused->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace

ScrolledClient::ScrolledClient(QWidget& window) : window_(window), view_(new QScrollArea(&window))
{
    // The view is the window's client area itself: no frame, no place in the tab order.
    view_->setFrameShape(QFrame::NoFrame);
    view_->setFocusPolicy(Qt::NoFocus);
    auto* designed = new QWidget;
    designed->resize(window.size());
    view_->setWidget(designed);
    moveControls(window, window, *designed, view_);
    view_->setGeometry(window.rect());
    view_->show();
    window.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && view_->widget()->isAncestorOf(now))
            view_->ensureWidgetVisible(now);
    });
}

QSize ScrolledClient::designedSize() const
{
    return view_->widget()->size();
}

QSize ScrolledClient::clientSizeWithin(QSize room) const
{
    const QSize designed = designedSize();
    const int bar = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    // Each bar takes room from the other direction, which may then need its own.
    bool across = designed.width() > room.width();
    const bool down = designed.height() + (across ? bar : 0) > room.height();
    across = designed.width() + (down ? bar : 0) > room.width();
    return QSize(designed.width() + (down ? bar : 0), designed.height() + (across ? bar : 0)).boundedTo(room);
}

void ScrolledClient::restoreDesign()
{
    window_.removeEventFilter(this);
    moveControls(window_, *view_->widget(), window_, nullptr);
    delete view_;
}

bool ScrolledClient::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Resize)
        view_->setGeometry(window_.rect());
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
