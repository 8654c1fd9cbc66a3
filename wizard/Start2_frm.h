#pragma once

#include <array>

#include "platform/form.h"

class BoxGrid;
class QLineEdit;
class QPushButton;
struct SystemTexts;

// The right-hand sides and the solve command.
class Start2_frm : public platform::Form {
    Q_OBJECT

public:
    Start2_frm();

    void Form_Load() override;

    // The solver the solve command runs: yadro_proc1, unless a test has set
    // one that watches what the user sees while it runs. nullptr goes back.
    static void setSolver(void (*solver)());

private:
    void next_cmd_Click();
    void Exit_cmd_Click();
    void Text1_LostFocus(int Index);

    void solve();
    // The system as it stands, to be saved: the coefficients as the grid
    // accepted them, the right-hand sides as they are typed, numbers or not.
    SystemTexts systemAsItStands() const;

    std::array<QLineEdit*, 8> Text1;
    QPushButton* next_cmd;
    QPushButton* Exit_cmd;
    BoxGrid* grid_;
};
