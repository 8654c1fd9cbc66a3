#pragma once

#include <memory>

#include <QWidget>

#include "results/course_steps.h"

class StepPicture;

// One step of the course of a solve drawn, as large as the widget allows:
// the tables, the plane, the marks. A number shows its exact value as a tool
// tip; a screen reader hears the step's words as the picture's description.
class StepView : public QWidget {
    Q_OBJECT

public:
    explicit StepView(QWidget* parent);
    ~StepView() override;

    // The step shown (kept by the caller while it is shown), and what a
    // screen reader is told of it.
    void setStep(const CourseStep* step, const QString& description);
    // Where a cell of a table of the step stands in the widget.
    QRectF cellRect(int table, int row, int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void layOut();

    const CourseStep* step_ = nullptr;
    std::unique_ptr<StepPicture> picture_;
    QPointF at_;  // where the picture stands: centred across, at the top
};
