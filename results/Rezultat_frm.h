#pragma once

#include <array>
#include <vector>

#include <QPointer>

#include "platform/command.h"
#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The results of a solve: the unknowns and the error figure.
class Rezultat_frm : public platform::Form {
    Q_OBJECT

public:
    Rezultat_frm();

    // Sizes the window to n, centres it, works out the error figure and fills
    // the boxes. A run-time error here reaches the solve command that shows
    // the window; no box has been filled then.
    void Form_Load() override;

private:
    void NaBazu_cmd_Click();
    void Command1_Click();
    static void show(QLineEdit* box, const QString& text);
    void copy();
    void copyResults();
    void setUpBoxes(const std::vector<platform::Command>& commands);

    QPushButton* NaBazu_cmd;
    QPushButton* Command1;
    // Elements 0..7 and 9, as the control arrays have them; 8 is unused.
    std::array<QLineEdit*, 10> Text1{};
    std::array<QLabel*, 10> Label1{};
    QPointer<QLineEdit> selected_;  // the box the user last selected text in
};
