#include "platform/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "platform/control_events.h"
#include "platform/controls.h"
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
    const QSize client(twipsToPixels(width), twipsToPixels(height));
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
    const QSizeF outer = outerSizeTwips();
    const float left = (static_cast<float>(pixelsToTwips(available.width())) - static_cast<float>(outer.width())) / 2;
    const float top = (static_cast<float>(pixelsToTwips(available.height())) - static_cast<float>(outer.height())) / 2;
    move(available.x() + twipsToPixels(left), available.y() + twipsToPixels(top));
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
    return QWidget::event(event);
}

}  // namespace platform
