#include "startup.h"

#include <QApplication>
#include <QIcon>

#include "Baza_frm.h"
#include "Exit_frm.h"
#include "Nachalo_frm.h"
#include "OProgramme_frm.h"
#include "Rezultat_frm.h"
#include "Spravka_frm.h"
#include "Start2_frm.h"
#include "Start_frm.h"
#include "application_data.h"
#include "regional_settings.h"
#include "window_service.h"

namespace {

// The map of the program's windows: every move between them names one of these.
void registerWindows(platform::WindowService& service)
{
    service.registerWindow(QStringLiteral("Baza_frm"), [] { return new Baza_frm; });
    service.registerWindow(QStringLiteral("Exit_frm"), [] { return new Exit_frm; });
    service.registerWindow(QStringLiteral("OProgramme_frm"), [] { return new OProgramme_frm; });
    service.registerWindow(QStringLiteral("Spravka_frm"), [] { return new Spravka_frm; });
    service.registerWindow(QStringLiteral("Nachalo_frm"), [] { return new Nachalo_frm; });
    service.registerWindow(QStringLiteral("Start_frm"), [] { return new Start_frm; });
    service.registerWindow(QStringLiteral("Start2_frm"), [] { return new Start2_frm; });
    service.registerWindow(QStringLiteral("Rezultat_frm"), [] { return new Rezultat_frm; });
}

void showHelpTopic(int topic)
{
    auto* help = static_cast<Spravka_frm*>(platform::windows().show(QStringLiteral("Spravka_frm")));
    help->showTopic(topic);
}

}  // namespace

void startProgram()
{
    // The pictures and help pages live in the windows library, a static one.
    Q_INIT_RESOURCE(teskora);
    QApplication::setApplicationName(QStringLiteral("teskora"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(platform::versionMajor())
                                            .arg(platform::versionMinor())
                                            .arg(platform::versionRevision()));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon_main.png")));
    // The desktop entry the windows belong to, for the task bar's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("teskora"));
    platform::readRegionalSettings();

    platform::WindowService& service = platform::windows();
    service.restart();
    registerWindows(service);
    service.setHelpViewer(showHelpTopic);
    // Whatever is left of the windows goes with the event loop.
    static const bool cleanupConnected =
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { platform::windows().destroyAll(); });
    Q_UNUSED(cleanupConnected);
    service.show(QStringLiteral("Baza_frm"));
}
