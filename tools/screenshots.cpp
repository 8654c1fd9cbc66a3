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
#include <QLineEdit>
#include <QPushButton>

#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/window_service.h"
#include "shell/startup.h"

namespace {

// No message box is expected on the way; one that comes is printed.
class PrintedMessages : public platform::MessageService {
public:
    void show(const QString& text, const QString& title, platform::MessageIcon) override
    {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
    }
};

platform::Form* openWindow(platform::WindowName name)
{
    return platform::windows().find(name);
}

void click(platform::WindowName windowName, const char* button)
{
    openWindow(windowName)->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

void type(platform::WindowName windowName, const QString& box, const QString& text)
{
    openWindow(windowName)->findChild<QLineEdit*>(box)->setText(text);
}

bool grab(platform::WindowName name, const QDir& out)
{
    platform::Form* form = openWindow(name);
    if (!form)
        return false;
    QApplication::processEvents();
    return form->grab().save(out.filePath(name.toString() + ".png"));
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
    PrintedMessages messages;
    platform::setMessageService(&messages);
    startProgram();

    bool ok = grab(window::Baza_frm, out);
    click(window::Baza_frm, "Exit_cmd");
    ok &= grab(window::Exit_frm, out);
    click(window::Exit_frm, "CancelButton");
    click(window::Baza_frm, "OProgr_cmd");
    ok &= grab(window::OProgramme_frm, out);
    click(window::OProgramme_frm, "cmdOK");

    // 2 X1 + X2 - X3 = 8, -3 X1 - X2 + 2 X3 = -11, -2 X1 + X2 + 2 X3 = -3.
    click(window::Baza_frm, "Start_cmd");
    type(window::Nachalo_frm, "Okno_txt", "3");
    ok &= grab(window::Nachalo_frm, out);
    openWindow(window::Nachalo_frm)->findChild<QPushButton*>("Dalee_cmd")->setEnabled(true);
    click(window::Nachalo_frm, "Dalee_cmd");
    const char* coefficients[3][3] = {{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            type(window::Start_frm, QStringLiteral("Text1(%1)").arg(8 * i + j), QString::fromLatin1(coefficients[i][j]));
    ok &= grab(window::Start_frm, out);
    click(window::Start_frm, "Next_cmd");
    const char* answers[3] = {"8", "-11", "-3"};
    for (int i = 0; i < 3; ++i)
        type(window::Start2_frm, QStringLiteral("Text1(%1)").arg(i), QString::fromLatin1(answers[i]));
    ok &= grab(window::Start2_frm, out);
    click(window::Start2_frm, "next_cmd");
    ok &= grab(window::Rezultat_frm, out);
    platform::windows().show(window::HodResheniya_frm);
    ok &= grab(window::HodResheniya_frm, out);
    platform::windows().destroyAll();
    return ok ? 0 : 1;
}
