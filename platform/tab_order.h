#pragma once

#include <vector>

class QWidget;

namespace platform {

// The classic tab order of a window: each control has a tab index, and
// giving a control an index moves it to that place in the order and shifts
// the controls from that place on by one, so the indices stay distinct. Qt's
// own chain of focus follows the order.
class TabOrder {
public:
    // A control as designed, with its design index; the order settles when
    // it is first used, the controls sorted by index.
    void add(QWidget* control, int designIndex);

    void setTabIndex(QWidget* control, int index);

    // The control with the lowest index that can take the focus, which a
    // window opens with.
    QWidget* first() const;
    void focusFirst() const;

private:
    void settle() const;
    void apply() const;

    // Controls with their design indices, until the first use sorts them.
    mutable std::vector<std::pair<int, QWidget*>> designIndices_;
    mutable std::vector<QWidget*> order_;
};

}  // namespace platform
