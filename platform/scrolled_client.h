#pragma once

#include <QObject>
#include <QSize>

class QScrollArea;
class QWidget;

namespace platform {

// The client area of a window of controls placed as designed, on a screen
// with less room than the window takes: the client area becomes a view that
// scrolls over the designed area. The controls keep their places in it,
// their names, the focus and the tab order; wherever the focus moves, by Tab
// or by a window's own rule, the view brings the control into sight.
class ScrolledClient : public QObject {
    Q_OBJECT

public:
    // Moves the window's controls into a view of the window's present size.
    explicit ScrolledClient(QWidget& window);

    QSize designedSize() const;
    // The client size that shows as much of the design as the room allows,
    // with a scroll bar where one is needed.
    QSize clientSizeWithin(QSize room) const;
    // Puts the controls back on the window, where they were designed; the
    // view is gone, and the window is to be sized again.
    void restoreDesign();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QScrollArea* view_;
};

}  // namespace platform
