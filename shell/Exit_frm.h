#pragma once

#include "platform/form.h"

class QLabel;
class QPushButton;

// Asks the user to confirm quitting; its "Да" is the program's command to end.
class Exit_frm : public platform::Form {
    Q_OBJECT

public:
    Exit_frm();

    void Form_Load() override;

private:
    void OKButton_Click();
    void CancelButton_Click();

    QLabel* Label1;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};
