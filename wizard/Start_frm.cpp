#include "wizard/Start_frm.h"

#include <algorithm>

#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "navigation/opened_system.h"
#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/box_menu.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"
#include "wizard/box_grid.h"

namespace {

const QString Caption = QStringLiteral("Ввод левой части");
const QString NotANumber = QStringLiteral("Не является числом коэффициент при Х");
const QString ErrorInRow = QStringLiteral("Ошибка в строке ");
const QString TryAgain = QStringLiteral("Попробуйте ввести его заново");

// The grid is built for the largest system: box k stands in row k / 8 and
// column k % 8, and has tab index k; the buttons follow it.
constexpr int GridSide = MaxUnknowns;
constexpr int GridBoxes = GridSide * GridSide;
constexpr int NextTabIndex = GridBoxes;
constexpr int ExitTabIndex = GridBoxes + 1;
// The least width of the window that shows a notice, in twips: four columns.
constexpr double NoticeWidth = 1080 * 4 + 120;

}  // namespace

Start_frm::Start_frm()
    : Form(window::Start_frm, Caption, platform::Frame::FixedSingle)
{
    setHelpTopic(help::Coefficients);
    platform::Controls controls(*this);
    // Built once for the largest system; the load step cuts it to n x n.
    std::vector<std::vector<QLineEdit*>> rows(GridSide);
    for (int k = 0; k < GridBoxes; ++k) {
        const int row = k / GridSide;
        const int column = k % GridSide;
        Text1[k] = controls.textBox(QStringLiteral("Text1(%1)").arg(k), 120 + 1080 * column, 720 + 360 * row, 975, 285, k);
        Text1[k]->setAccessibleName(QStringLiteral("Коэффициент при Х%1, уравнение %2").arg(column + 1).arg(row + 1));
        events().onLostFocus(Text1[k], [this, k] { Text1_LostFocus(k); });
        rows[row].push_back(Text1[k]);
    }
    grid_ = new BoxGrid(this, std::move(rows), [] { return unknownCount(); });
    Next_cmd = controls.button(QStringLiteral("Next_cmd"), QStringLiteral("&Далее"),
                               QStringLiteral("Приступить к вводу ответов"), 120, 120, 855, 375, NextTabIndex);
    Exit_cmd = controls.button(QStringLiteral("Exit_cmd"), QStringLiteral("&Выход"), QStringLiteral("Выход из программы"),
                               1080, 120, 855, 375, ExitTabIndex);
    controls.line(QStringLiteral("Line1"), 120, 600, 2040, 600);
    Zametka_lbl = controls.label(QStringLiteral("Zametka_lbl"), QString(), 120, 0, 0, 0);
    Zametka_lbl->setWordWrap(true);
    Zametka_lbl->hide();

    setLeaveButton(Exit_cmd);
    events().onClick(Next_cmd, &Start_frm::Next_cmd_Click);
    events().onClick(Exit_cmd, &Start_frm::Exit_cmd_Click);
    events().onLostFocus(Next_cmd, [this] { Next_cmd_LostFocus(); });
    system_files::offerOpening(*this);
    for (QLineEdit* box : Text1)
        platform::box_menu::addEntry(box, system_files::OpenCommand, QKeySequence::Open,
                                     [this] { system_files::open(this); });
}

void Start_frm::Form_Load()
{
    const int n = unknownCount();
    setOuterSizeTwips(1080 * n + 120, 366 * n + 1134);
    centreOnScreen();

    // The boxes outside the block are hidden, so none of them shows and Tab
    // never reaches them.
    for (int k = 0; k < GridBoxes; ++k)
        Text1[k]->setVisible(k / GridSide < n && k % GridSide < n);

    // The block row by row, then "Далее", then the rest in their old order.
    int t = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            tabOrder().setTabIndex(grid_->box(i, j), t++);
    }
    tabOrder().setTabIndex(Next_cmd, n * n);
    // A system opened whole: its coefficients, to be checked at "Далее" as if typed.
    grid_->fill(takeWaitingCoefficients());
    showNotice(takeWaitingNotice());
}

// How a file was read otherwise than as written, in a line under the grid:
// told once, without a message to close. The window grows to hold it.
void Start_frm::showNotice(const QString& notice)
{
    if (notice.isEmpty())
        return;
    const int n = unknownCount();
    const double width = std::max(1080.0 * n + 120, NoticeWidth);
    setOuterSizeTwips(width, 366 * n + 1134);
    const int margin = platform::twipsToPixels(120);
    const int textWidth = this->width() - 2 * margin;
    Zametka_lbl->setText(notice);
    const int textHeight = Zametka_lbl->heightForWidth(textWidth);
    Zametka_lbl->setGeometry(margin, this->height(), textWidth, textHeight);
    Zametka_lbl->show();
    setOuterSizeTwips(width, 366 * n + 1134 + platform::pixelsToTwips(textHeight + margin));
    centreOnScreen();
}

// The check-and-store pass: row by row, each row left to right.
void Start_frm::Next_cmd_Click()
{
    Peremennye& state = peremennye();
    const bool accepted = grid_->check(
        [](int i, int j) {
            return BoxGrid::Refusal{NotANumber + QString::number(j), ErrorInRow + QString::number(i), TryAgain,
                                    platform::MessageIcon::Exclamation};
        },
        [&](int i, int j, double value) {
            state.matr_rassh(i, j) = value;
            state.matr_kopiya(i, j) = state.matr_rassh(i, j);
        });
    if (!accepted)
        return;
    keepAcceptedCoefficients(grid_->texts());
    platform::windows().unload(this);
    platform::windows().show(window::Start2_frm);
}

// The user corrects a refused box, so the focus stays there.
void Start_frm::Next_cmd_LostFocus()
{
    if (!grid_->focusingRefusedBox())
        events().moveFocusLater(Exit_cmd);
}

void Start_frm::Text1_LostFocus(int Index)
{
    const int n = unknownCount();
    if (n < MaxUnknowns && Index == GridSide * (n - 1) + (n - 1))
        events().moveFocusLater(Next_cmd);
}

void Start_frm::Exit_cmd_Click()
{
    platform::windows().show(window::Exit_frm);
}
