#pragma once

#include <optional>

#include "documents/task_set.h"
#include "platform/form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Tasks for a class: a teacher chooses n, how many variants, the kind of
// the coefficients and of the solution, whether some variants have the
// special cases, and the number of the set (shown, and typed to make the
// same set again); "Создать..." writes into a folder the task sheet and the
// answer key (PDF), each variant as a system file, and a table of the
// answers that a spreadsheet opens.
class Zadaniya_frm : public platform::Form {
    Q_OBJECT

public:
    Zadaniya_frm();

    void Form_Load() override;

private:
    void layOutControls();
    void Sozdat_cmd_Click();
    void Zakryt_cmd_Click();

    // The choices as typed and chosen; a box out of range is told and gets
    // the focus, and none are given.
    std::optional<tasks::Choices> choices();
    // Writes the files of the set into the folder, each whole or not at all;
    // where one fails, those this run began are taken away again.
    bool write(const QString& folder, const tasks::Choices& chosen);
    void progress(int done, int of);

    QLineEdit* Neizvestnye_txt;
    QLineEdit* Varianty_txt;
    QComboBox* Koeffitsienty_cmb;
    QComboBox* Reshenie_cmb;
    QCheckBox* Osobye_chk;
    QLineEdit* Nomer_txt;
    QProgressBar* Khod_bar;
    QLabel* Itog_lbl;
    QPushButton* Sozdat_cmd;
    QPushButton* Zakryt_cmd;
};
