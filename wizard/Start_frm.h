#pragma once

#include <array>

#include "platform/form.h"

class BoxGrid;
class QLabel;
class QLineEdit;
class QPushButton;

// The coefficient grid: 8 x 8 boxes, cut to the n x n block of the system.
class Start_frm : public platform::Form {
    Q_OBJECT

public:
    Start_frm();

    void Form_Load() override;

private:
    void Next_cmd_Click();
    void Next_cmd_LostFocus();
    void Exit_cmd_Click();
    void Text1_LostFocus(int Index);
    void showNotice(const QString& notice);

    std::array<QLineEdit*, 64> Text1;  // the 8 x 8 grid, row by row
    QPushButton* Next_cmd;
    QPushButton* Exit_cmd;
    QLabel* Zametka_lbl;  // under the grid, only for a system opened from a file read otherwise than as written
    BoxGrid* grid_;
};
