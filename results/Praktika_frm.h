#pragma once

#include <vector>

#include "course/course_steps.h"
#include "platform/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class StepView;
namespace platform {
class Announcement;
}
namespace practice {
class Practice;
struct Item;
struct Verdict;
}  // namespace practice

// Practice: the student solves the system by the rotation method, a value
// at a time, and each value is checked at Enter. It opens on the system,
// its legend and the rule a value is judged by, with the choice of what to
// check and the rotation to start at; then shows a step at a time: the
// matrix as the student's own accepted values make it, the cells the value
// is about marked, a box for each value of the step, and the verdict, which
// a screen reader hears at each check. At the end, the summary and a report
// to save or print. The progress on a system is kept while the program
// runs: opened again on it, practice goes on where the student stopped.
class Praktika_frm : public platform::Form {
    Q_OBJECT

public:
    Praktika_frm();

    void Form_Load() override;
    // Shown again while open, on the system practice was last started on.
    void Form_Activate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildStartPage(QWidget* page);
    void buildWorkPage(QWidget* page);
    void Nachat_cmd_Click();
    void Proverit_cmd_Click();
    void Pokazat_cmd_Click();
    void Dalee_cmd_Click();
    void Sokhranit_cmd_Click();
    void Pechat_cmd_Click();
    void Zanovo_cmd_Click();
    void Zakryt_cmd_Click();

    // The system practice is on: its start page, or the step the student
    // stopped at.
    void openOnSystem();
    // The step shown, the focus in its current box.
    void showStep(bool anew = false);
    void fitToScreen();
    void orderTabs();
    void addRow(std::size_t k, const practice::Item& item, bool current);
    void updateRow(std::size_t k, const practice::Item& item, bool current, std::vector<QWidget*>& turnOff);
    void refreshPicture();
    void tell(const practice::Verdict& verdict);
    bool stepDone() const;
    QWidget* currentBox() const;
    QStringList report() const;

    QStackedWidget* Stranitsy_stk;
    QPlainTextEdit* Vvedenie_txt;
    QComboBox* Uroven_cmb;
    QComboBox* Vrashchenie_cmb;
    QPushButton* Nachat_cmd;
    QLabel* Shag_lbl;
    StepView* Matritsa_pic;
    QLabel* Dano_lbl;
    QScrollArea* Znacheniya_scr;
    QWidget* Znacheniya_pnl;
    QLabel* Vyvod_lbl;
    QPushButton* Proverit_cmd;
    QPushButton* Pokazat_cmd;
    QPushButton* Dalee_cmd;
    QPushButton* Sokhranit_cmd;
    QPushButton* Pechat_cmd;
    QPushButton* Zanovo_cmd;
    QPushButton* Zakryt_cmd;
    platform::Announcement* Soobshchenie_lbl;

    practice::Practice* practice_ = nullptr;  // kept with the progress on the system
    std::size_t* shown_ = nullptr;            // the step shown, likewise
    struct Row {
        QWidget* box = nullptr;
        QLabel* mark = nullptr;
    };
    std::vector<Row> rows_;                   // the rows of the step shown, by item; none for a value not shown
    std::vector<CourseStep> drawn_;           // the picture's one step
};
