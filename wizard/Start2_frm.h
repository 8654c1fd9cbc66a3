#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>

#include "platform/form.h"
#include "solver/checked_arrays.h"

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
    // The right-hand sides as numbers, each box checked as the solve checks
    // it: a box that is not a number is told, and none are given.
    std::optional<EquationVector> acceptedRightHandSides();
    std::vector<QString> typedRightHandSides() const;
    // The system as it stands, to be saved: the coefficients as the grid
    // accepted them, the right-hand sides as they are typed, numbers or not.
    SystemTexts systemAsItStands() const;

    std::array<QLineEdit*, 8> Text1;
    QPushButton* next_cmd;
    QPushButton* Exit_cmd;
    BoxGrid* grid_;
};
