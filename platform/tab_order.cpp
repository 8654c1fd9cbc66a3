#include "platform/tab_order.h"

#include <algorithm>

#include <QWidget>

namespace platform {

namespace {

bool takesTabFocus(const QWidget* control)
{
    return (control->focusPolicy() & Qt::TabFocus) && control->isEnabled() && !control->isHidden();
}

}  // namespace

void TabOrder::add(QWidget* control, int designIndex)
{
    designIndices_.emplace_back(designIndex, control);
}

void TabOrder::settle() const
{
    if (designIndices_.empty())
        return;
    std::stable_sort(designIndices_.begin(), designIndices_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, control] : designIndices_)
        order_.push_back(control);
    designIndices_.clear();
    apply();
}

void TabOrder::setTabIndex(QWidget* control, int index)
{
    settle();
    std::erase(order_, control);
    const auto place = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), order_.size());
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(place), control);
    apply();
}

// Qt's chain follows the order; a control that takes no focus by Tab is left
// out, as Qt ignores it in the chain.
void TabOrder::apply() const
{
    QWidget* previous = nullptr;
    for (QWidget* control : order_) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QWidget* TabOrder::first() const
{
    settle();
    const auto it = std::find_if(order_.begin(), order_.end(), takesTabFocus);
    return it == order_.end() ? nullptr : *it;
}

void TabOrder::focusFirst() const
{
    if (QWidget* control = first())
        control->setFocus(Qt::OtherFocusReason);
}

}  // namespace platform
