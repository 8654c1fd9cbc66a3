#include "results/step_view.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/accessibility.h"
#include "platform/regional_settings.h"
#include "results/course_paper.h"
#include "results/step_picture.h"

StepView::StepView(QWidget* parent) : QWidget(parent)
{
    platform::presentAs(this, QAccessible::Graphic);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

StepView::~StepView() = default;

void StepView::setStep(const CourseStep* step, const QString& description)
{
    step_ = step;
    layOut();
    update();
    setAccessibleDescription(description);
    // The name changes with the step, so that a screen reader on the picture
    // says the new step at once.
    setAccessibleName(description.section(QStringLiteral(". "), 0, 0));
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void StepView::layOut()
{
    picture_.reset();
    if (!step_)
        return;
    const QSizeF room = QSizeF(size()) - QSizeF(8, 8);
    picture_ = std::make_unique<StepPicture>(*step_, room, courseFont(), this, platform::regionalSettings(), 1.6);
    at_ = QPointF(4 + std::max<qreal>(0, (room.width() - picture_->size().width()) / 2), 4);
}

QRectF StepView::cellRect(int table, int row, int column) const
{
    return picture_ ? picture_->cellRect(table, row, column).translated(at_) : QRectF();
}

void StepView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void StepView::paintEvent(QPaintEvent*)
{
    if (!picture_)
        return;
    QPainter painter(this);
    picture_->paint(painter, at_, palette());
}

// A cell's tool tip: its number in full, as the step's words write it.
bool StepView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && picture_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        int table = 0, row = 0, column = 0;
        const auto& value = picture_->cellAt(help->pos() - at_, table, row, column)
                                ? step_->tables[table].rows[row][column]
                                : std::nullopt;
        if (value)
            QToolTip::showText(help->globalPos(), platform::generalText(*value), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
