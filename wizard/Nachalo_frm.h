#pragma once

#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The count step: one digit from 2 to 8, the number of unknowns.
class Nachalo_frm : public platform::Form {
    Q_OBJECT

public:
    Nachalo_frm();

    void Form_Load() override;

private:
    void Okno_txt_KeyDown(int KeyCode);
    void Dalee_cmd_Click();
    void Otmena_cmd_Click();

    QLineEdit* Okno_txt;
    QPushButton* Dalee_cmd;
    QPushButton* Otmena_cmd;
    QLabel* Label1;
};
