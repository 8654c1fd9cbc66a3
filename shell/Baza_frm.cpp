#include "shell/Baza_frm.h"

#include <QKeySequence>
#include <QPushButton>

#include "documents/solve_document.h"
#include "navigation/course_view.h"
#include "navigation/opened_system.h"
#include "navigation/practice_start.h"
#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/window_service.h"

namespace {
const QString Caption = QStringLiteral("           Решение системы линейных уравнений методом вращения");
const QString CourseTip = QStringLiteral("Ход последнего решения, для проверки вручную");
const QString TasksTip = QStringLiteral("Варианты систем для группы: задания и ответы к ним");
const QString RepeatTip = QStringLiteral("Открыть последнюю систему в сетке коэффициентов, чтобы исправить её");
}  // namespace

Baza_frm::Baza_frm()
    : Form(window::Baza_frm, Caption, platform::Frame::FixedSingle)
{
    setClientSizeTwips(7455, 6000);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_main.png")));
    setHelpTopic(help::MainWindow);
    platform::Controls controls(*this);
    controls.picture(QStringLiteral("Picture"), platform::sharedPicture(QStringLiteral(":/rose.jpg")),
                     QStringLiteral("Синяя роза"), 0, 0);

    OProgr_cmd = controls.button(QStringLiteral("OProgr_cmd"), QStringLiteral("О &программе"),
                                 QStringLiteral("Описание программы"), 5160, 480, 1695, 855, 2);
    Start_cmd = controls.button(QStringLiteral("Start_cmd"), QStringLiteral("&Начать работу"),
                                QStringLiteral("Начать вычисления"), 5160, 2520, 1695, 975, 0);
    Exit_cmd = controls.button(QStringLiteral("Exit_cmd"), QStringLiteral("&Выход"), QStringLiteral("Выход из программы"),
                               5160, 4440, 1695, 855, 1);
    for (QPushButton* button : {OProgr_cmd, Start_cmd, Exit_cmd})
        button->setFont(platform::classicFont(9.75));

    setLeaveButton(Exit_cmd);
    // The last solve, whether it ended in results or at a pivot below the
    // threshold: its course, its system again, practice on it; before any
    // solve, nothing.
    const std::vector<platform::Command> course = courseCommands(CourseTip);
    Course_cmd = events().onCommand(course[0]);
    CourseSteps_cmd = events().onCommand(course[1]);
    Repeat_cmd = events().onCommand(RepeatCommand, Qt::Key_F3, RepeatTip, openLastSystem);
    Practice_cmd = events().onCommand(practiceOnLastSolve());
    events().onCommand(QStringLiteral("Задания для группы..."), Qt::Key_F5, TasksTip,
                       [] { platform::windows().show(window::Zadaniya_frm); });
    system_files::offerOpening(*this);
    events().onClick(Start_cmd, &Baza_frm::Start_cmd_Click);
    events().onClick(OProgr_cmd, &Baza_frm::OProgr_cmd_Click);
    events().onClick(Exit_cmd, &Baza_frm::Exit_cmd_Click);
}

void Baza_frm::Form_Load()
{
    centreOnScreen();
    const bool solvedBefore = lastSolve() != nullptr;
    Course_cmd->setEnabled(solvedBefore);
    CourseSteps_cmd->setEnabled(solvedBefore);
    Repeat_cmd->setEnabled(solvedBefore);
    Practice_cmd->setEnabled(solvedBefore);
}

void Baza_frm::Start_cmd_Click()
{
    platform::windows().unload(this);
    platform::windows().show(window::Nachalo_frm);
}

void Baza_frm::OProgr_cmd_Click()
{
    platform::windows().show(window::OProgramme_frm);
}

void Baza_frm::Exit_cmd_Click()
{
    platform::windows().show(window::Exit_frm);
}
