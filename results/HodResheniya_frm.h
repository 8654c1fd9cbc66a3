#pragma once

#include <QPointer>

#include "platform/form.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class StepBrowser;

// The course of the last solve, for checking the rotation method by hand, in
// two views: "Текст", read-only text that can be selected, copied and read
// line by line; and "По шагам", the steps as pictures, one at a time, forward
// and back by keys, buttons or the slider. Either view is saved (PDF or text)
// and printed.
class HodResheniya_frm : public platform::Form {
    Q_OBJECT

public:
    HodResheniya_frm();

    void Form_Load() override;
    // Shown again while open: the course of the solve made since, on the
    // view last chosen.
    void Form_Activate() override;
    void placeOnScreen() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Sokhranit_cmd_Click();
    void Pechat_cmd_Click();
    void Zakryt_cmd_Click();
    void Vid_tab_CurrentChanged(int index);
    void copy();
    bool showingSteps() const;
    QStringList lines() const;
    // The steps as text: each its heading and words.
    QStringList stepsAsText() const;
    // The course of the last solve, its table rows no wider than width.
    static QStringList courseOfLastSolve(std::size_t width);
    void growForSteps();

    QTabWidget* Vid_tab;
    QPlainTextEdit* Hod_txt;
    StepBrowser* Shagi_pg;
    QPushButton* Sokhranit_cmd;
    QPushButton* Pechat_cmd;
    QPushButton* Zakryt_cmd;
    QPointer<QWidget> beside_;  // the window the user worked in when the course opened
};
