#include "results/step_view.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include "platform/accessibility.h"
#include "platform/regional_settings.h"
#include "results/course_paper.h"

namespace {
// A picture that fits with room to spare grows up to this many times its font.
constexpr qreal Largest = 1.6;
}  // namespace

StepView::StepView(QWidget* parent) : QWidget(parent)
{
    platform::presentAs(this, QAccessible::Graphic);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

StepView::~StepView() = default;

void StepView::setSteps(const std::vector<CourseStep>* steps, int digits)
{
    steps_ = steps;
    digits_ = digits;
    step_ = -1;
    rotations_.reset();
    picture_.reset();
}

void StepView::showStep(int step, const QString& name, const QString& description)
{
    step_ = step;
    layOut();
    update();
    setAccessibleName(name);
    setAccessibleDescription(description);
}

QSizeF StepView::room() const
{
    return QSizeF(size()) - QSizeF(8, 8);
}

void StepView::layOut()
{
    picture_.reset();
    if (!steps_ || step_ < 0 || step_ >= int(steps_->size()))
        return;
    const CourseStep& step = (*steps_)[step_];
    if (step.kind == CourseStep::Kind::Rotation && (!rotations_ || arrangedFor_ != room())) {
        rotations_ = StepPicture::rotationsArrangement(*steps_, room(), courseFont(), this, platform::regionalSettings(),
                                                       digits_);
        arrangedFor_ = room();
    }
    const StepPicture::Arrangement* kept = step.kind == CourseStep::Kind::Rotation ? &*rotations_ : nullptr;
    picture_ = std::make_unique<StepPicture>(step, room(), courseFont(), this, platform::regionalSettings(), Largest,
                                             digits_, kept);
    at_ = QPointF(4 + std::max<qreal>(0, (room().width() - picture_->size().width()) / 2), 4);
}

QRectF StepView::cellRect(int table, int row, int column) const
{
    return picture_ ? picture_->cellRect(table, row, column).translated(at_) : QRectF();
}

std::vector<StepPicture::Label> StepView::planeLabels() const
{
    std::vector<StepPicture::Label> labels = picture_ ? picture_->planeLabels() : std::vector<StepPicture::Label>();
    for (StepPicture::Label& label : labels)
        label.rect.translate(at_);
    return labels;
}

StepPicture::Arc StepView::arc() const
{
    StepPicture::Arc arc = picture_ ? picture_->arc() : StepPicture::Arc();
    arc.centre += at_;
    return arc;
}

QRectF StepView::pictureRect() const
{
    return picture_ ? QRectF(at_, picture_->size()) : QRectF();
}

void StepView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void StepView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_)
        picture_->paint(painter, at_, palette());
    // Where Tab has brought the focus, the picture shows it, as a control does.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// A cell's tool tip: its number in full, as the general rule writes it.
bool StepView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && picture_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        int table = 0, row = 0, column = 0;
        const auto& value = picture_->cellAt(help->pos() - at_, table, row, column)
                                ? (*steps_)[step_].tables[table].rows[row][column]
                                : std::nullopt;
        if (value)
            QToolTip::showText(help->globalPos(), platform::generalText(*value), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
