#include "platform/form.h"

#include <algorithm>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/scrolled_client.h"
#include "platform/tab_order.h"
#include "platform/window_service.h"

namespace platform {

namespace {

Qt::WindowFlags flagsFor(Frame frame)
{
    const Qt::WindowFlags common = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                   | Qt::WindowCloseButtonHint;
    switch (frame) {
    case Frame::Sizable:
        return Qt::Window | common | Qt::WindowMinMaxButtonsHint;
    case Frame::FixedSingle:
        return Qt::Window | common | Qt::WindowMinimizeButtonHint;
    case Frame::FixedDialog:
        break;
    }
    return Qt::Dialog | common;
}

}  // namespace

Form::Form(WindowName name, const QString& caption, Frame frame)
    : QWidget(nullptr, flagsFor(frame)), frame_(frame), tabOrder_(std::make_unique<TabOrder>()),
      events_(new ControlEvents(*this))
{
    setObjectName(name.toString());
    setWindowTitle(caption);
    setFont(classicFont(8.25));
    setAttribute(Qt::WA_QuitOnClose, false);
}

Form::~Form() = default;

void Form::Form_Activate()
{
}

void Form::placeOnScreen()
{
    centreOnScreen();
}

bool Form::isLive() const
{
    return !unloaded_ && !windows().ending();
}

void Form::setClientSizeTwips(double width, double height)
{
    // A window that sizes itself places its controls by the designed client
    // area: they stand on it again until the window's placing fits it anew.
    standAsDesigned();
    setClientSize(QSize(twipsToPixels(width), twipsToPixels(height)));
}

void Form::setClientSize(QSize client)
{
    if (frame_ == Frame::Sizable)
        resize(client);
    else
        setFixedSize(client);
}

void Form::setOuterSizeTwips(double width, double height)
{
    const QSizeF allowance = frameAllowanceTwips(frame_);
    setClientSizeTwips(width - allowance.width(), height - allowance.height());
}

QSizeF Form::outerSizeTwips() const
{
    const QSize frameSize = frameGeometry().size();
    if (isVisible() && frameSize != size())
        return QSizeF(pixelsToTwips(frameSize.width()), pixelsToTwips(frameSize.height()));
    const QSizeF allowance = frameAllowanceTwips(frame_);
    return QSizeF(pixelsToTwips(width()) + allowance.width(), pixelsToTwips(height()) + allowance.height());
}

void Form::centreOnScreen()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect available = target->availableGeometry();
    fitInto(available);
    const QSizeF outer = outerSizeTwips();
    const float left = (static_cast<float>(pixelsToTwips(available.width())) - static_cast<float>(outer.width())) / 2;
    const float top = (static_cast<float>(pixelsToTwips(available.height())) - static_cast<float>(outer.height())) / 2;
    // A window the screen cannot hold whole keeps its title bar on it.
    move(available.x() + std::max(twipsToPixels(left), 0), available.y() + std::max(twipsToPixels(top), 0));
}

QSize Form::roomForClient(const QRect& available) const
{
    const QSizeF outer = outerSizeTwips();
    const QSize frame = QSize(twipsToPixels(outer.width()), twipsToPixels(outer.height())) - size();
    return available.size() - frame;
}

// Where the screen leaves less room than the window takes (a small screen,
// a large scale factor), the window fits it. One laid out by a layout gives
// up room as when the user makes it smaller. One of controls placed as
// designed shows its designed client area in a view that scrolls; once the
// room is enough again, the controls stand on the window as designed.
void Form::fitInto(const QRect& available)
{
    const QSize room = roomForClient(available);
    if (layout()) {
        const QSize fitted = size().boundedTo(room);
        if (fitted != size())
            setClientSize(fitted);
        return;
    }
    const QSize designed = scrolled_ ? scrolled_->designedSize() : size();
    if (designed.width() <= room.width() && designed.height() <= room.height()) {
        if (scrolled_) {
            standAsDesigned();
            setClientSize(designed);
        }
        return;
    }
    if (!scrolled_)
        scrolled_ = std::make_unique<ScrolledClient>(*this);
    setClientSize(scrolled_->clientSizeWithin(room));
}

void Form::standAsDesigned()
{
    if (!scrolled_)
        return;
    scrolled_->restoreDesign();
    scrolled_.reset();
}

// A window laid out by a layout may grow after its placing, when its pages
// ask for more room than the screen has: it keeps within the screen. One
// that fits stays where it stands, wherever the user has put it.
void Form::keepOnScreen()
{
    const QScreen* target = screen();
    if (!target)
        return;
    const QRect available = target->availableGeometry();
    const QSize room = roomForClient(available);
    if (width() <= room.width() && height() <= room.height())
        return;
    fitInto(available);
    const QRect frame = frameGeometry();
    move(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() + 1 - frame.width())),
         std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() + 1 - frame.height())));
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isLive() && leaveButton_)
        leaveButton_->click();
}

// The keys of the whole window, as a control that has no use for them passes
// them on: F1 for the window's help, Esc for its cancel button and nothing else.
void Form::keyPressEvent(QKeyEvent* event)
{
    if (!isLive())
        return;
    if (event->key() == Qt::Key_F1 && helpTopic_ != HelpTopic()) {
        const HelpTopic topic = helpTopic_;
        ControlEvents::runGuarded([topic] { windows().showHelp(topic); });
    } else if (event->key() == Qt::Key_Escape) {
        if (cancelButton_ && cancelButton_->isEnabled())
            cancelButton_->click();
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool Form::event(QEvent* event)
{
    // The load step placed the window with the frame that its sizes assume;
    // once the window manager has drawn the real one, place it by that, once.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate:
        if (!placedWithRealFrame_ && isLive() && isVisible() && frameGeometry().size() != size()) {
            placedWithRealFrame_ = true;
            placeOnScreen();
        }
        break;
    default:
        break;
    }
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest && layout() && isVisible() && isLive())
        keepOnScreen();
    return handled;
}

}  // namespace platform
