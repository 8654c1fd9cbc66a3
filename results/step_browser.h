#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "course/course_steps.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class StepView;
namespace platform {
class Announcement;
}

// The steps of a course one at a time: the heading "Шаг k из N: …", the
// picture, the step's words, and the ways to move: → / PgDn, ← / PgUp,
// Home, End, four buttons, a slider, a list of the steps to jump to (typing
// "(2,3)" finds the rotation), and the digits the numbers are written in.
//
// A screen reader hears every move: the picture's name and description say
// the step when it has the focus, and each move is announced by a
// notification that is shown anew (Orca speaks a notification whenever it
// appears, wherever the focus is; the name and description changes of the
// picture reach it without their text).
class StepBrowser : public QWidget {
    Q_OBJECT

public:
    // The steps come from make, for the digits chosen.
    using Source = std::function<std::vector<CourseStep>(int digits)>;

    explicit StepBrowser(QWidget* parent);

    // A new course: its steps made, the first shown, nothing announced.
    void setSource(Source make);
    const std::vector<CourseStep>& steps() const { return steps_; }
    int digits() const;
    // Shows the step given, from 0 (kept within the steps); announced where
    // the user moved to it.
    void showStep(int step, bool announced = true);
    int step() const { return step_; }
    // "Шаг k из N: title", and the words of the step, line by line.
    QString heading(int step) const;
    QString words(int step) const;
    // What a screen reader is told of a step at a move: its heading and its
    // words, as they are to be said.
    QString spoken(int step) const;

    StepView* picture() const { return Shag_pic; }
    // The controls in the order Tab walks them.
    std::vector<QWidget*> controls() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void layOutPage(QLabel* jumpLabel, QLabel* digitsLabel);
    void connectMoves();
    QString spokenWords(int step) const;
    void Perekhod_cmb_Enter();
    void Tsifry_cmb_Changed();
    void showWords();

    QLabel* Shag_lbl;
    StepView* Shag_pic;
    QLabel* Shag_txt;
    QPushButton* Pervyi_cmd;
    QPushButton* Predydushchii_cmd;
    QPushButton* Sleduyushchii_cmd;
    QPushButton* Poslednii_cmd;
    QSlider* Shag_sld;
    QComboBox* Perekhod_cmb;
    QComboBox* Tsifry_cmb;
    platform::Announcement* Soobshchenie_lbl;
    Source make_;
    std::vector<CourseStep> steps_;
    int step_ = 0;
};
