#pragma once

#include "platform/form.h"

class QAction;
class QPushButton;

// The main window: the picture and three buttons, the hub every solve
// starts from and returns to.
class Baza_frm : public platform::Form {
    Q_OBJECT

public:
    Baza_frm();

    void Form_Load() override;

private:
    void Start_cmd_Click();
    void OProgr_cmd_Click();
    void Exit_cmd_Click();

    QPushButton* OProgr_cmd;
    QPushButton* Start_cmd;
    QPushButton* Exit_cmd;
    QAction* Course_cmd;
    QAction* CourseSteps_cmd;
    QAction* Repeat_cmd;
    QAction* Practice_cmd;
};
