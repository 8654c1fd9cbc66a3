#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QWidget>

#include "course/course_steps.h"
#include "results/step_picture.h"

// One step of the course of a solve drawn, as large as the widget allows:
// the tables, the plane, the marks; every rotation of the solve in the same
// arrangement. A number shows its exact value as a tool tip; a screen
// reader is told the step by the picture's name and description.
class StepView : public QWidget {
    Q_OBJECT

public:
    explicit StepView(QWidget* parent);
    ~StepView() override;

    // The steps (kept by the caller while they are shown) and the digits
    // their numbers are written in; then the step shown, from 0, with what a
    // screen reader is told of it.
    void setSteps(const std::vector<CourseStep>* steps, int digits);
    void showStep(int step, const QString& name, const QString& description);
    // Where a cell of a table of the step stands in the widget.
    QRectF cellRect(int table, int row, int column) const;
    // The words of the plane and where they stand in the widget.
    std::vector<StepPicture::Label> planeLabels() const;
    // Where the picture stands, and its size; the arc of the turn in it.
    QRectF pictureRect() const;
    StepPicture::Arc arc() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void layOut();
    QSizeF room() const;

    const std::vector<CourseStep>* steps_ = nullptr;
    int step_ = -1;
    int digits_ = StepDigits[0];
    std::unique_ptr<StepPicture> picture_;
    std::optional<StepPicture::Arrangement> rotations_;  // for the room it was found for
    QSizeF arrangedFor_;
    QPointF at_;  // where the picture stands: centred across, at the top
};
