#pragma once

#include <QPointer>

#include "platform/form.h"

class QPlainTextEdit;
class QPushButton;

// The course of the last solve, for checking the rotation method by hand:
// read-only text that can be selected, copied and read line by line, saved
// as a PDF or text file, and printed.
class HodResheniya_frm : public platform::Form {
    Q_OBJECT

public:
    HodResheniya_frm();

    void Form_Load() override;
    // Shown again while open: the course of the solve made since.
    void Form_Activate() override;
    void placeOnScreen() override;

private:
    void Sokhranit_cmd_Click();
    void Pechat_cmd_Click();
    void Zakryt_cmd_Click();
    QStringList lines() const;
    // The course of the last solve, its table rows no wider than width.
    static QStringList courseOfLastSolve(std::size_t width);

    QPlainTextEdit* Hod_txt;
    QPushButton* Sokhranit_cmd;
    QPushButton* Pechat_cmd;
    QPushButton* Zakryt_cmd;
    QPointer<QWidget> beside_;  // the window the user worked in when the course opened
};
