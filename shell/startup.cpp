#include "shell/startup.h"

#include <cstdio>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "navigation/course_view.h"
#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/window_service.h"
#include "results/HodResheniya_frm.h"
#include "results/Praktika_frm.h"
#include "results/Rezultat_frm.h"
#include "shell/Baza_frm.h"
#include "shell/command_line.h"
#include "shell/Exit_frm.h"
#include "shell/OProgramme_frm.h"
#include "shell/Spravka_frm.h"
#include "tasks/Zadaniya_frm.h"
#include "wizard/Nachalo_frm.h"
#include "wizard/Start2_frm.h"
#include "wizard/Start_frm.h"

namespace {

// The map of the program's windows: every move between them names one of these.
void registerWindows(platform::WindowService& service)
{
    service.registerWindow(window::Baza_frm, [] { return new Baza_frm; });
    service.registerWindow(window::Exit_frm, [] { return new Exit_frm; });
    service.registerWindow(window::OProgramme_frm, [] { return new OProgramme_frm; });
    service.registerWindow(window::Spravka_frm, [] { return new Spravka_frm; });
    service.registerWindow(window::Nachalo_frm, [] { return new Nachalo_frm; });
    service.registerWindow(window::Start_frm, [] { return new Start_frm; });
    service.registerWindow(window::Start2_frm, [] { return new Start2_frm; });
    service.registerWindow(window::Rezultat_frm, [] { return new Rezultat_frm; });
    service.registerWindow(window::HodResheniya_frm, [] { return new HodResheniya_frm; });
    service.registerWindow(window::Praktika_frm, [] { return new Praktika_frm; });
    service.registerWindow(window::Zadaniya_frm, [] { return new Zadaniya_frm; });
}

void showHelpTopic(platform::HelpTopic topic)
{
    platform::windows().show<Spravka_frm>(window::Spravka_frm)->showTopic(topic);
}

// Qt's own texts (the menu of a box, the buttons of a message box) in
// Russian, as every window of the program is, whatever the regional settings.
// Without the translation Qt's English texts remain.
void loadQtTranslation()
{
    static QTranslator translation;
    static const bool loaded = translation.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                                                QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                               && QCoreApplication::installTranslator(&translation);
    Q_UNUSED(loaded);
}

}  // namespace

namespace {

// A mistake on the command line, told on the error output; the status to end with.
int toldMistake(const CommandLine& line)
{
    std::fprintf(stderr, "teskora: %s\nПодробнее: teskora --help\n", line.mistake.c_str());
    return 2;
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv)
{
    const CommandLine line = readCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (line.action == CommandLine::Action::Help)
        std::fputs(helpText().c_str(), stdout);
    else if (line.action == CommandLine::Action::Version)
        std::fputs(versionText().c_str(), stdout);
    else if (line.action == CommandLine::Action::Mistake)
        return toldMistake(line);
    else
        return std::nullopt;
    return 0;
}

std::variant<QString, int> fileOnCommandLine(const QStringList& arguments)
{
    std::vector<std::string> rest;
    for (const QString& argument : arguments.mid(1))
        rest.push_back(argument.toStdString());
    const CommandLine line = readCommandLine(rest);
    if (line.action == CommandLine::Action::Mistake)
        return toldMistake(line);
    return QString::fromStdString(line.file);
}

void startProgram(const QString& file)
{
    // The pictures and help pages live in the windows library, a static one.
    Q_INIT_RESOURCE(teskora);
    QApplication::setApplicationName(QStringLiteral("teskora"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(platform::versionMajor())
                                            .arg(platform::versionMinor())
                                            .arg(platform::versionRevision()));
    QApplication::setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_main.png")));
    // The desktop entry the windows belong to, for the task bar's icon and a
    // Wayland compositor's name of the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.teskora.teskora"));
    platform::readRegionalSettings();
    loadQtTranslation();
    platform::presentWindowsToAssistiveTechnology();

    // A run opens the course on its text until the user chooses its steps.
    lastCourseView() = CourseView::Text;
    platform::WindowService& service = platform::windows();
    service.restart();
    registerWindows(service);
    service.setHelpViewer(showHelpTopic);
    // Whatever is left of the windows goes with the event loop.
    static const bool cleanupConnected =
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { platform::windows().destroyAll(); });
    Q_UNUSED(cleanupConnected);
    if (file.isEmpty() || !system_files::openFile(file))
        service.show(window::Baza_frm);
}
