#include "wizard/Start2_frm.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

#include "navigation/opened_system.h"
#include "navigation/practice_start.h"
#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/box_menu.h"
#include "platform/busy_cursor.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/runtime/runtime_error.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"
#include "solver/yadro.h"
#include "wizard/box_grid.h"

namespace {

const QString Caption = QStringLiteral("           Ввод ответа");
const QString NotANumber = QStringLiteral("Не является числом ответ в строке ");
const QString ErrorInRow = QStringLiteral("Ошибка в строке ");
const QString TryAgain = QStringLiteral("Попробуйте ввести его заново!");
const QString NearSingular = QStringLiteral("Матрица близка к вырожденной. Решение отсутствует!");
const QString ResultTitle = QStringLiteral("Результат вычислений:");
const QString FailureBefore = QStringLiteral("Произошла следующая ошибка:  ");
const QString FailureAfter = QStringLiteral(".  После нажатия кнопки 'Ок' произойдёт возврат на стартовую форму");
const QString FailureTitle = QStringLiteral("Работа программы остановлена!");

// Box k holds the right-hand side of equation k + 1, and has tab index k;
// the buttons follow the column.
constexpr int NextTabIndex = MaxUnknowns;
constexpr int ExitTabIndex = MaxUnknowns + 1;

void (*solverInForce)() = yadro_proc1;

}  // namespace

void Start2_frm::setSolver(void (*solver)())
{
    solverInForce = solver ? solver : yadro_proc1;
}

Start2_frm::Start2_frm()
    : Form(window::Start2_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(2685, 3855);
    setHelpTopic(help::RightHandSides);
    platform::Controls controls(*this);
    std::vector<std::vector<QLineEdit*>> column;
    for (int k = 0; k < MaxUnknowns; ++k) {
        Text1[k] = controls.textBox(QStringLiteral("Text1(%1)").arg(k), 1440, 480 * k, 975, 405, k);
        Text1[k]->setAccessibleName(QStringLiteral("Правая часть уравнения %1").arg(k + 1));
        events().onLostFocus(Text1[k], [this, k] { Text1_LostFocus(k); });
        column.push_back({Text1[k]});
    }
    // A column copied from a spreadsheet (or a single row of values) fills
    // the boxes downwards from the one pasted into; of a block, its first column.
    grid_ = new BoxGrid(this, std::move(column), [] { return unknownCount(); });
    next_cmd = controls.button(QStringLiteral("next_cmd"), QStringLiteral("&Вычислить"), QStringLiteral("Решить систему"),
                               120, 0, 1215, 375, NextTabIndex);
    Exit_cmd = controls.button(QStringLiteral("Exit_cmd"), QStringLiteral("&Выход"), QStringLiteral("Выход из программы"),
                               120, 480, 1215, 375, ExitTabIndex);
    controls.line(QStringLiteral("Line1"), 120, 960, 1320, 960);

    setLeaveButton(Exit_cmd);
    events().onClick(next_cmd, &Start2_frm::next_cmd_Click);
    events().onClick(Exit_cmd, &Start2_frm::Exit_cmd_Click);
    const platform::Command save = system_files::saveCommand(this, [this] { return systemAsItStands(); });
    // Practice before the solve command, so that the answer is not shown first.
    const platform::Command practice = practiceCommand([this]() -> std::optional<SolveDocument> {
        const auto rightHandSides = acceptedRightHandSides();
        if (!rightHandSides)
            return std::nullopt;
        return documentOfAcceptedSystem(*rightHandSides, typedRightHandSides());
    });
    system_files::offerOpening(*this);
    events().onCommand(save);
    events().onCommand(practice);
    for (QLineEdit* box : Text1) {
        platform::box_menu::addEntry(box, system_files::openCommand(this));
        platform::box_menu::addEntry(box, save);
        platform::box_menu::addEntry(box, practice);
    }
}

SystemTexts Start2_frm::systemAsItStands() const
{
    SystemTexts system = acceptedSystem();
    system.rightHandSides.clear();
    for (const auto& row : grid_->texts())
        system.rightHandSides.push_back(row.front());
    return system;
}

void Start2_frm::Form_Load()
{
    const int n = unknownCount();
    // The width stays as designed.
    setOuterSizeTwips(outerSizeTwips().width(), 475 * n + 510);
    centreOnScreen();
    // Only the boxes in use show; Shift+Tab from "Вычислить" lands on the last of them.
    for (int k = 0; k < MaxUnknowns; ++k)
        Text1[k]->setVisible(k < n);
    // The right-hand sides of a system opened whole, waiting for this window.
    std::vector<std::vector<QString>> column;
    for (const QString& text : takeWaitingRightHandSides())
        column.push_back({text});
    grid_->fill(column);
}

// The solve command. Every run-time error of it, of the solver and of the
// loading of the results screen ends here, in one message, and the user is
// back at the main window.
void Start2_frm::next_cmd_Click()
{
    try {
        solve();
    } catch (const platform::RuntimeError& error) {
        platform::msgBox(FailureBefore + platform::fromUtf8(error.description()) + FailureAfter,
                         platform::MessageIcon::Stop, FailureTitle);
        platform::windows().unload(this);
        platform::windows().show(window::Baza_frm);
    }
}

void Start2_frm::solve()
{
    const int n = unknownCount();
    Peremennye& state = peremennye();
    const auto rightHandSides = acceptedRightHandSides();
    if (!rightHandSides)
        return;
    for (int i = 1; i <= n; ++i) {
        state.matr_rassh(i, n + 1) = (*rightHandSides)(i);
        state.otvety_kopiya(i) = state.matr_rassh(i, n + 1);
    }
    keepAcceptedRightHandSides(typedRightHandSides());

    {
        // Back to the default pointer also when the solver raises an error;
        // the solve's document kept in either case, for its course and F3.
        const platform::BusyCursor busy;
        const auto keep = qScopeGuard(keepTheSolveOfTheAcceptedSystem);
        solverInForce();
    }

    if (state.est_resh) {
        platform::windows().show(window::Rezultat_frm);
        platform::windows().unload(this);
    } else {
        platform::msgBox(NearSingular, platform::MessageIcon::Stop, ResultTitle);
        platform::windows().show(window::Baza_frm);
        platform::windows().unload(this);
    }
}

std::optional<EquationVector> Start2_frm::acceptedRightHandSides()
{
    EquationVector rightHandSides;
    const bool accepted = grid_->check(
        [](int i, int) {
            return BoxGrid::Refusal{NotANumber + QString::number(i), ErrorInRow + QString::number(i), TryAgain,
                                    platform::MessageIcon::Information};
        },
        [&](int i, int, double value) { rightHandSides(i) = value; });
    return accepted ? std::optional(rightHandSides) : std::nullopt;
}

std::vector<QString> Start2_frm::typedRightHandSides() const
{
    std::vector<QString> typed;
    for (const auto& row : grid_->texts())
        typed.push_back(row.front());
    return typed;
}

void Start2_frm::Text1_LostFocus(int Index)
{
    const int n = unknownCount();
    if (n < MaxUnknowns && Index == n - 1)
        events().moveFocusLater(next_cmd);
}

void Start2_frm::Exit_cmd_Click()
{
    platform::windows().show(window::Exit_frm);
}
