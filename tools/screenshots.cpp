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
    PrintedMessages messages;
    platform::setMessageService(&messages);
    startProgram();

    bool ok = grab("Baza_frm", out);
    click("Baza_frm", "Exit_cmd");
    ok &= grab("Exit_frm", out);
    click("Exit_frm", "CancelButton");
    platform::windows().destroyAll();
    return ok ? 0 : 1;
}
