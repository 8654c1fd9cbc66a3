#include "wizard/Start_frm.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"

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

}  // namespace

Start_frm::Start_frm()
    : Form(window::Start_frm, Caption, platform::Frame::FixedSingle)
{
    setHelpTopic(platform::HelpTopic::Coefficients);
    // Built once for the largest system; the load step cuts it to n x n.
    for (int k = 0; k < GridBoxes; ++k) {
        const int row = k / GridSide;
        const int column = k % GridSide;
        Text1[k] = addTextBox(QStringLiteral("Text1(%1)").arg(k), 120 + 1080 * column, 720 + 360 * row, 975, 285, k);
        Text1[k]->setAccessibleName(QStringLiteral("Коэффициент при Х%1, уравнение %2").arg(column + 1).arg(row + 1));
        onLostFocus(Text1[k], [this, k] { Text1_LostFocus(k); });
        onPaste(Text1[k], [this, k](const QString& text) { return Text1_Paste(k, text); });
    }
    Next_cmd = addButton(QStringLiteral("Next_cmd"), QStringLiteral("&Далее"), QStringLiteral("Приступить к вводу ответов"),
                         120, 120, 855, 375, NextTabIndex);
    Exit_cmd = addButton(QStringLiteral("Exit_cmd"), QStringLiteral("&Выход"), QStringLiteral("Выход из программы"), 1080,
                         120, 855, 375, ExitTabIndex);
    addLine(QStringLiteral("Line1"), 120, 600, 2040, 600);

    setLeaveButton(Exit_cmd);
    onClick(Next_cmd, &Start_frm::Next_cmd_Click);
    onClick(Exit_cmd, &Start_frm::Exit_cmd_Click);
    onLostFocus(Next_cmd, [this] { Next_cmd_LostFocus(); });
}

QLineEdit* Start_frm::box(int i, int j) const
{
    return Text1[GridSide * (i - 1) + (j - 1)];
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
            setTabIndex(box(i, j), t++);
    }
    setTabIndex(Next_cmd, n * n);
}

// The check-and-store pass: row by row, each row left to right.
void Start_frm::Next_cmd_Click()
{
    const int n = unknownCount();
    Peremennye& state = peremennye();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const auto value = platform::textToNumber(box(i, j)->text());
            if (!value) {
                focusingRefusedBox_ = true;
                box(i, j)->setFocus(Qt::OtherFocusReason);
                focusingRefusedBox_ = false;
                platform::msgBox(NotANumber + QString::number(j), platform::MessageIcon::Stop,
                                 ErrorInRow + QString::number(i));
                platform::msgBox(TryAgain, platform::MessageIcon::Exclamation);
                return;
            }
            state.matr_rassh(i, j) = *value;
            state.matr_kopiya(i, j) = state.matr_rassh(i, j);
        }
    }
    platform::windows().unload(this);
    platform::windows().show(window::Start2_frm);
}

void Start_frm::Next_cmd_LostFocus()
{
    if (!focusingRefusedBox_)
        moveFocusLater(Exit_cmd);
}

void Start_frm::Text1_LostFocus(int Index)
{
    const int n = unknownCount();
    if (n < MaxUnknowns && Index == GridSide * (n - 1) + (n - 1))
        moveFocusLater(Next_cmd);
}

// A block copied from a spreadsheet, a document or a web page fills the
// boxes from this one rightwards and downwards, as texts that "Далее" checks
// as if they had been typed.
bool Start_frm::Text1_Paste(int Index, const QString& text)
{
    const int n = unknownCount();
    return pasteCells(Text1[Index], text, [&](int row, int column) -> QLineEdit* {
        const int i = Index / GridSide + 1 + row;
        const int j = Index % GridSide + 1 + column;
        return i <= n && j <= n ? box(i, j) : nullptr;
    });
}

void Start_frm::Exit_cmd_Click()
{
    platform::windows().show(window::Exit_frm);
}
