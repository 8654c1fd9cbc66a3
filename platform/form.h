#pragma once

#include <functional>
#include <vector>

#include <QHash>
#include <QString>
#include <QWidget>

#include "platform/pasted_cells.h"
#include "platform/twips.h"
#include "platform/window_names.h"

class QFrame;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {

// The base of every window: what the forms runtime gave a window and Qt does
// not. Geometry in twips, centring, classic tab indices, Enter and Space on
// the focused button, Esc for a cancel button, F1 for help, key-down handlers
// with virtual-key codes, lost-focus handlers, and handlers that
// never let a run-time error reach Qt's event loop.
//
// The window service creates, loads, shows and unloads forms; a form never
// closes itself. Every window is left through its own buttons: the close
// button of the title bar (or the window manager's close) presses the
// window's leave button.
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

    // False from the moment the window is unloaded or the program ends: no
    // handler of the window runs after that.
    bool isLive() const;

    Frame frame() const { return frame_; }
    void setClientSizeTwips(double width, double height);
    void setOuterSizeTwips(double width, double height);
    // The outer size: the real frame once the window manager has reported it,
    // otherwise the frame the window sizes assume.
    QSizeF outerSizeTwips() const;
    // Left = (screen width - window width) / 2, Top likewise, halves in single precision.
    void centreOnScreen();
    // Where the window stands on the screen: centred, unless the window
    // places itself otherwise. Run again once the window manager has given
    // the window its real frame.
    virtual void placeOnScreen() { centreOnScreen(); }

    // Giving a control a tab index moves it to that place in the tab order
    // and shifts the controls from that place on by one.
    void setTabIndex(QWidget* control, int index);
    int tabIndex(QWidget* control) const;
    // The control with the lowest tab index that can take the focus.
    QWidget* firstInTabOrder() const;
    void focusFirstControl();

    HelpTopic helpTopic() const { return helpTopic_; }

protected:
    // Design: controls placed in twips relative to the client area.
    QPushButton* addButton(const QString& name, const QString& caption, const QString& toolTip, double left,
                           double top, double width, double height, int tabIndex);
    QLineEdit* addTextBox(const QString& name, double left, double top, double width, double height, int tabIndex);
    QLabel* addLabel(const QString& name, const QString& text, double left, double top, double width, double height);
    // A picture, with the words a screen reader says for it.
    QLabel* addPicture(const QString& name, const QPixmap& picture, const QString& description, double left,
                       double top);
    QFrame* addLine(const QString& name, double x1, double y1, double x2, double y2);
    static QFont classicFont(double pointSize, bool bold = false);

    void setHelpTopic(HelpTopic topic) { helpTopic_ = topic; }
    // Esc presses this button, whatever has the focus.
    void setCancelButton(QPushButton* button) { cancelButton_ = button; }
    // The title bar's close presses this button.
    void setLeaveButton(QPushButton* button) { leaveButton_ = button; }
    // A window that is one page of text, resized as the user likes: the page
    // takes the window, the button stands at its bottom right.
    void setPageAndButton(QWidget* page, QPushButton* button);
    // What a screen reader says as the window opens: the control that has
    // the focus then carries the window's texts in its description, ahead of
    // its tool tip. A screen reader reads the texts of a new window when it
    // reaches the window before the control, but not when the control comes
    // first, and the result boxes never hold the focus at all.
    void announceWithFocus(QWidget* control, const QStringList& texts);

    template <class Window>
    void onClick(QPushButton* button, void (Window::*handler)());
    void onClick(QPushButton* button, std::function<void()> handler);
    void onKeyDown(QWidget* control, std::function<void(int keyCode)> handler);
    void onLostFocus(QWidget* control, std::function<void()> handler);
    // What the user pastes into the box (Ctrl+V, Shift+Insert or the box's
    // menu), as text; a handler that gives false leaves it to the box's own paste.
    void onPaste(QLineEdit* box, std::function<bool(const QString& text)> handler);
    // An entry of the box's menu, below the box's own entries.
    void addMenuEntry(QLineEdit* box, const QString& text, std::function<void()> handler);
    // Keys that act in the whole window, wherever the focus is.
    void onShortcut(const QKeySequence& keys, std::function<void()> handler);

    // What is pasted into a box of several: one value goes in where the box's
    // own paste puts it, without the line break a spreadsheet adds; several
    // cells go, as texts, into the boxes that boxAt gives for each cell's row
    // and column (from 0; a single row of a column of boxes is taken as a
    // column), and a cell with no box there is left out, and the user is told
    // how many were. False for an empty text, which is the box's own paste.
    bool pasteCells(QLineEdit* box, const QString& text, const std::function<QLineEdit*(int row, int column)>& boxAt,
                    bool column = false);

    // Moves the focus once the focus change under way has finished, so that a
    // lost-focus handler never runs inside another one.
    void moveFocusLater(QWidget* target);

    // Runs a handler; a run-time error it does not handle itself is reported
    // and the program goes on.
    void runGuarded(const std::function<void()>& handler);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class WindowService;
    void markUnloaded() { unloaded_ = true; }
    void watch(QWidget* control);
    void settleTabOrder() const;
    void applyTabOrder();
    bool keyPress(QObject* watched, QKeyEvent* event);
    void useOwnMenu(QLineEdit* box);
    void showMenu(QLineEdit* box, const QPoint& at);
    void paste(QLineEdit* box);

    struct Handlers {
        std::function<void(int)> keyDown;
        std::function<void()> lostFocus;
        std::function<bool(const QString&)> paste;
        std::vector<std::pair<QString, std::function<void()>>> menuEntries;
    };

    Frame frame_;
    bool unloaded_ = false;
    bool placedWithRealFrame_ = false;
    bool passingFocusOn_ = false;
    HelpTopic helpTopic_ = HelpTopic::None;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* leaveButton_ = nullptr;
    QWidget* page_ = nullptr;
    QPushButton* pageButton_ = nullptr;
    // Controls with their tab indices as designed, until the first use sorts them.
    mutable std::vector<std::pair<int, QWidget*>> designTabIndices_;
    mutable std::vector<QWidget*> tabOrder_;
    QHash<QObject*, Handlers> handlers_;
};

template <class Window>
void Form::onClick(QPushButton* button, void (Window::*handler)())
{
    Window* window = static_cast<Window*>(this);
    onClick(button, [window, handler] { (window->*handler)(); });
}

}  // namespace platform
