// Renders each window of the program, for a 3 x 3 system, to PNG under the
// offscreen platform:
//
//     QT_QPA_PLATFORM=offscreen LC_ALL=ru_RU.UTF-8 screenshots <folder>
//
// The windows are walked to as a user walks to them, through the program's
// own start-up, and grabbed with QWidget::grab, so the pictures are the same
// on every run.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "navigation/window_names.h"
#include "platform/form.h"
#include "tasks/task_paper.h"
#include "tools/driver/program_driver.h"

namespace {

bool grab(platform::WindowName name, const QDir& out, const QString& file = QString())
{
    platform::Form* form = ProgramDriver::window(name);
    QApplication::processEvents();
    return form && form->grab().save(out.filePath((file.isEmpty() ? name.toString() : file) + ".png"));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    // A text cursor that does not blink, so that every run gives the same pictures.
    QApplication::setCursorFlashTime(0);
    ProgramDriver program;
    program.start();

    bool ok = grab(window::Baza_frm, out);
    program.click(window::Baza_frm, "Exit_cmd");
    ok &= grab(window::Exit_frm, out);
    program.click(window::Exit_frm, "CancelButton");
    program.click(window::Baza_frm, "OProgr_cmd");
    ok &= grab(window::OProgramme_frm, out);
    program.click(window::OProgramme_frm, "cmdOK");

    // 2 X1 + X2 - X3 = 8, -3 X1 - X2 + 2 X3 = -11, -2 X1 + X2 + 2 X3 = -3.
    program.goToCount();
    program.type(window::Nachalo_frm, "Okno_txt", "3");
    ok &= grab(window::Nachalo_frm, out);
    program.click(window::Nachalo_frm, "Dalee_cmd");
    program.typeCoefficients({{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}});
    ok &= grab(window::Start_frm, out);
    program.click(window::Start_frm, "Next_cmd");
    program.typeAnswers({"8", "-11", "-3"});
    ok &= grab(window::Start2_frm, out);
    program.click(window::Start2_frm, "next_cmd");
    ok &= grab(window::Rezultat_frm, out);
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_F2);
    ok &= grab(window::HodResheniya_frm, out);
    // The steps: the first rotation, of columns 1 and 2.
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_Right);
    ok &= grab(window::HodResheniya_frm, out, QStringLiteral("HodResheniya_frm_steps"));
    // Practice on the same system: its start, and a t told wrong with its formula.
    program.activate(window::Rezultat_frm);
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_F4);
    ok &= grab(window::Praktika_frm, out, QStringLiteral("Praktika_frm_start"));
    program.click(window::Praktika_frm, "Nachat_cmd");
    ProgramDriver::typeKeys(ProgramDriver::focus(), QStringLiteral("0,4"));
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_Return);
    ok &= grab(window::Praktika_frm, out);
    // Tasks for a class, from the main window, and the first page of a task sheet of its set.
    program.click(window::Praktika_frm, "Zakryt_cmd");
    program.click(window::Rezultat_frm, "NaBazu_cmd");
    program.activate(window::Baza_frm);
    QTest::keyClick(ProgramDriver::focus(), Qt::Key_F5);
    program.type(window::Zadaniya_frm, "Nomer_txt", QStringLiteral("2026"));
    ok &= grab(window::Zadaniya_frm, out);
    tasks::Choices chosen;
    chosen.setNumber = 2026;
    chosen.count = 6;
    QFile sheet(out.filePath(QStringLiteral("task_sheet.pdf")));
    ok &= sheet.open(QIODevice::WriteOnly) && sheet.write(taskSheetPdf(tasks::makeSet(chosen), 2026, QDate(2026, 12, 8))) > 0;
    for (const QString& message : program.messages)
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
    program.end();
    return ok && program.messages.isEmpty() ? 0 : 1;
}
