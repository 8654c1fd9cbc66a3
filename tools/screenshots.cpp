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

#include "form.h"
#include "message_service.h"
#include "startup.h"
#include "window_service.h"

namespace {

// No message box is expected on the way; one that comes is printed.
class PrintedMessages : public platform::MessageService {
public:
    void show(const QString& text, const QString& title, platform::MessageIcon) override
    {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
    }
};

platform::Form* window(const char* name)
{
    return platform::windows().find(QString::fromLatin1(name));
}

void click(const char* windowName, const char* button)
{
    window(windowName)->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

void type(const char* windowName, const QString& box, const QString& text)
{
    window(windowName)->findChild<QLineEdit*>(box)->setText(text);
}

bool grab(const char* name, const QDir& out)
{
    platform::Form* form = window(name);
    if (!form)
        return false;
    QApplication::processEvents();
    return form->grab().save(out.filePath(QString::fromLatin1(name) + ".png"));
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

    bool ok = grab("Baza_frm", out);
    click("Baza_frm", "Exit_cmd");
    ok &= grab("Exit_frm", out);
    click("Exit_frm", "CancelButton");
    click("Baza_frm", "OProgr_cmd");
    ok &= grab("OProgramme_frm", out);
    click("OProgramme_frm", "cmdOK");

    // 2 X1 + X2 - X3 = 8, -3 X1 - X2 + 2 X3 = -11, -2 X1 + X2 + 2 X3 = -3.
    click("Baza_frm", "Start_cmd");
    type("Nachalo_frm", "Okno_txt", "3");
    ok &= grab("Nachalo_frm", out);
    window("Nachalo_frm")->findChild<QPushButton*>("Dalee_cmd")->setEnabled(true);
    click("Nachalo_frm", "Dalee_cmd");
    const char* coefficients[3][3] = {{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            type("Start_frm", QStringLiteral("Text1(%1)").arg(8 * i + j), QString::fromLatin1(coefficients[i][j]));
    ok &= grab("Start_frm", out);
    click("Start_frm", "Next_cmd");
    const char* answers[3] = {"8", "-11", "-3"};
    for (int i = 0; i < 3; ++i)
        type("Start2_frm", QStringLiteral("Text1(%1)").arg(i), QString::fromLatin1(answers[i]));
    ok &= grab("Start2_frm", out);
    click("Start2_frm", "next_cmd");
    ok &= grab("Rezultat_frm", out);
    platform::windows().destroyAll();
    return ok ? 0 : 1;
}
