#pragma once

#include <memory>

#include <QWidget>

#include "platform/twips.h"
#include "platform/window_name.h"

class QPushButton;

namespace platform {

class ControlEvents;
class ScrolledClient;
class TabOrder;

// What every window of the program is, as the forms runtime made it: a
// name and a caption, a frame and a size in twips, a place on the screen
// (centred unless the window places itself otherwise), the load step and the
// activate step that the window service runs, a help topic for F1, a cancel
// button for Esc and a leave button for the close button of the title bar.
// Its controls are built with Controls, their events come through
// ControlEvents and their tab order through TabOrder.
//
// The window service creates, loads, shows and unloads forms; a form never
// closes itself, and none of its handlers runs once it is unloaded.
class Form : public QWidget {
    Q_OBJECT

public:
    Form(WindowName name, const QString& caption, Frame frame);
    ~Form() override;

    // The load step, run by the window service on every creation, before the
    // window becomes visible. May raise a run-time error, which reaches the
    // code that showed the window.
    virtual void Form_Load() = 0;
    // Run by the window service when a show brings the open window to the front.
    virtual void Form_Activate();
    // Where the window stands: centred unless the window places itself
    // otherwise. Run again once the window manager has given the window its
    // real frame.
    virtual void placeOnScreen();

    // False from the moment the window is unloaded or the program ends.
    bool isLive() const;

    Frame frame() const { return frame_; }
    // The window's own size, as designed; its placing fits it to the screen.
    void setClientSizeTwips(double width, double height);
    void setOuterSizeTwips(double width, double height);
    // The outer size: the real frame once the window manager has reported it,
    // otherwise the frame the window sizes assume.
    QSizeF outerSizeTwips() const;
    // Left = (screen width - window width) / 2, Top likewise, halves in single
    // precision; a window larger than the screen's room fits it first.
    void centreOnScreen();

    TabOrder& tabOrder() { return *tabOrder_; }
    ControlEvents& events() { return *events_; }

protected:
    void setHelpTopic(HelpTopic topic) { helpTopic_ = topic; }
    // Esc presses this button, whatever has the focus.
    void setCancelButton(QPushButton* button) { cancelButton_ = button; }
    // The title bar's close presses this button.
    void setLeaveButton(QPushButton* button) { leaveButton_ = button; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    // The room the screen leaves the client area, with the window's frame.
    QSize roomForClient(const QRect& available) const;

private:
    friend class WindowService;
    void markUnloaded() { unloaded_ = true; }
    void setClientSize(QSize client);
    void fitInto(const QRect& available);
    // The controls back on the client area itself, where they were designed.
    void standAsDesigned();
    void keepOnScreen();

    Frame frame_;
    bool unloaded_ = false;
    bool placedWithRealFrame_ = false;
    HelpTopic helpTopic_;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* leaveButton_ = nullptr;
    std::unique_ptr<TabOrder> tabOrder_;
    ControlEvents* events_;
    // Only while the screen has less room than the window's design.
    std::unique_ptr<ScrolledClient> scrolled_;
};

}  // namespace platform
