#include "results/Rezultat_frm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "navigation/course_view.h"
#include "navigation/opened_system.h"
#include "navigation/practice_start.h"
#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/box_menu.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/window_service.h"
#include "solver/error_figure.h"
#include "solver/peremennye.h"

namespace {

const QString Caption = QStringLiteral("                 Результат вычислений");
const QString FigureCaption = QStringLiteral("Погрешность вычислений (%):");
const QString FigureName = QStringLiteral("Погрешность вычислений (%)");
const QString NextTip = QStringLiteral("Вернуться в главный модуль");
const QString CopyResults = QStringLiteral("Копировать результаты");
const QString CopyTip = QStringLiteral("Выделенный текст, а если ничего не выделено — все результаты");
const QString CourseTip = QStringLiteral("Ход этого решения, для проверки вручную");
const QString RepeatTip = QStringLiteral("Открыть эту систему в сетке коэффициентов, чтобы исправить её");
// The control arrays have elements 0..7 for the unknowns and 9 for the
// figure; the boxes of the unknowns follow the buttons in the tab order.
constexpr int FigureIndex = 9;
constexpr int FigureTabIndex = 19;
constexpr int FirstUnknownTabIndex = 2;

}  // namespace

Rezultat_frm::Rezultat_frm()
    : Form(window::Rezultat_frm, Caption, platform::Frame::FixedSingle)
{
    setClientSizeTwips(4365, 4395);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_results.png")));
    platform::Controls controls(*this);

    NaBazu_cmd = controls.button(QStringLiteral("NaBazu_cmd"), QStringLiteral("&Далее"), NextTip, 3000, 120, 1215, 465, 0);
    Command1 = controls.button(QStringLiteral("Command1"), QStringLiteral("&Выход"), QString(), 3000, 720, 1215, 495, 1);
    for (QPushButton* button : {NaBazu_cmd, Command1})
        button->setFont(platform::classicFont(12));

    Label1[FigureIndex] = controls.label(QStringLiteral("Label1(9)"), FigureCaption, 120, 240, 2415, 255);
    Text1[FigureIndex] = controls.textBox(QStringLiteral("Text1(9)"), 240, 720, 2055, 285, FigureTabIndex);
    Text1[FigureIndex]->setAccessibleName(FigureName);
    controls.line(QStringLiteral("Line2"), 2760, 120, 2760, 1200);
    controls.line(QStringLiteral("Line1"), 120, 1320, 4200, 1320);
    for (int k = 0; k < MaxUnknowns; ++k) {
        Label1[k] = controls.label(QStringLiteral("Label1(%1)").arg(k), QStringLiteral("Х%1 = ").arg(k + 1), 840,
                                   1440 + 360 * k, 375, 255);
        Label1[k]->setWordWrap(false);
        Text1[k] = controls.textBox(QStringLiteral("Text1(%1)").arg(k), 1320, 1440 + 360 * k, 1935, 285,
                                    FirstUnknownTabIndex + k);
        Text1[k]->setAccessibleName(QStringLiteral("Х%1").arg(k + 1));
    }
    // The commands of the solve, in the window's own menu and keys and in
    // each box's menu; Ctrl+C copies what is selected, the boxes' entry all.
    std::vector<platform::Command> commands = courseCommands(CourseTip);
    commands.push_back({RepeatCommand, Qt::Key_F3, RepeatTip, openLastSystem});
    commands.push_back(practiceOnLastSolve());
    commands.push_back(system_files::openCommand(this));
    commands.push_back(system_files::saveCommand(this, [] { return *lastSystem(); }));
    events().onCommand({CopyResults, QKeySequence::Copy, CopyTip, [this] { copy(); }});
    for (const platform::Command& command : commands)
        events().onCommand(command);
    setUpBoxes(commands);

    setLeaveButton(Command1);
    setHelpTopic(help::Results);
    events().onFileDrop(system_files::openFile);
    events().onClick(NaBazu_cmd, &Rezultat_frm::NaBazu_cmd_Click);
    events().onClick(Command1, &Rezultat_frm::Command1_Click);
}

// The boxes only show: a click on one gives the focus to "Далее" at once,
// and Tab goes between the two buttons. Their menus hold the window's
// commands; the copy there copies all the results.
void Rezultat_frm::setUpBoxes(const std::vector<platform::Command>& commands)
{
    for (QLineEdit* box : Text1) {
        if (!box)
            continue;
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setFocusProxy(NaBazu_cmd);
        platform::box_menu::addEntry(box, {CopyResults, QKeySequence::Copy, CopyTip, [this] { copyResults(); }});
        for (const platform::Command& command : commands)
            platform::box_menu::addEntry(box, command);
        // The text selected in a box is what Ctrl+C copies; one box holds a selection at a time.
        connect(box, &QLineEdit::selectionChanged, this, [this, box] {
            if (!box->hasSelectedText())
                return;
            for (QLineEdit* other : Text1) {
                if (other && other != box)
                    other->deselect();
            }
            selected_ = box;
        });
    }
}

void Rezultat_frm::Form_Load()
{
    const int n = unknownCount();
    setOuterSizeTwips(outerSizeTwips().width(), 2610 + 360 * (n - 2));
    centreOnScreen();
    // The rows beyond n stand below the window's cut; hidden as well, so that
    // a screen reader does not list them among what the window shows.
    for (int k = n; k < MaxUnknowns; ++k) {
        Label1[k]->hide();
        Text1[k]->hide();
    }

    // Both texts first: a figure beyond the decimal range fills no box.
    const Peremennye& state = peremennye();
    const QString figure =
        platform::decimalText(errorFigure(state.matr_kopiya, state.otvety_kopiya, state.x_resh, n).value());
    show(Text1[FigureIndex], figure);
    for (int i = 1; i <= n; ++i)
        show(Text1[i - 1], platform::generalText(state.x_resh(i).value()));

    QStringList answer;
    for (int i = 1; i <= n; ++i)
        answer.append(Label1[i - 1]->text() + Text1[i - 1]->text());
    answer.append(FigureCaption + " " + figure);
    platform::announceWithFocus(NaBazu_cmd, {answer.join("; ")});
}

void Rezultat_frm::show(QLineEdit* box, const QString& text)
{
    box->setText(text);
    // A figure longer than its box shows its first digits, and the whole of
    // it as a tool tip.
    box->setCursorPosition(0);
    box->setToolTip(text);
}

// What is selected in a box, or else all the results.
void Rezultat_frm::copy()
{
    if (selected_ && selected_->hasSelectedText())
        QGuiApplication::clipboard()->setText(selected_->selectedText());
    else
        copyResults();
}

// All the results as plain text: a line for each unknown, its name, a tab and
// its value as shown, then the figure the same way. Pasted into a
// spreadsheet under the same regional settings, the values land in one
// column as numbers.
void Rezultat_frm::copyResults()
{
    QString text;
    for (int k = 0; k < unknownCount(); ++k)
        text += Text1[k]->accessibleName() + "\t" + Text1[k]->text() + "\n";
    text += FigureName + "\t" + Text1[FigureIndex]->text() + "\n";
    QGuiApplication::clipboard()->setText(text);
}

void Rezultat_frm::NaBazu_cmd_Click()
{
    platform::windows().unload(this);
    platform::windows().show(window::Baza_frm);
}

void Rezultat_frm::Command1_Click()
{
    platform::windows().show(window::Exit_frm);
}
