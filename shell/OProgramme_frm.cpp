#include "shell/OProgramme_frm.h"

#include <QLabel>
#include <QPushButton>

#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/message_service.h"
#include "platform/operating_system.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/runtime/registry.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/system_information.h"
#include "platform/window_service.h"

namespace {

const QString Caption = QStringLiteral("                                  О программе");
const QString Description = QStringLiteral(
    "Данная программа предназначена для решения систем линейных уравнений методом вращения. Система может "
    "содержать от 2 до 8 неизвестных.");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

}  // namespace

OProgramme_frm::OProgramme_frm()
    : Form(window::OProgramme_frm, Caption, platform::Frame::FixedDialog)
{
    setClientSizeTwips(5625, 3270);
    platform::Controls controls(*this);

    cmdOK = controls.button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("Вернуться в программу"), 840,
                            2520, 1860, 465, 0);
    // The picture box sizes itself to its 32 x 32 emblem.
    picIcon = controls.picture(QStringLiteral("picIcon"), platform::sharedPicture(QStringLiteral(":/emblem_keys.png")),
                               QStringLiteral("Клавиши калькулятора"), 120, 120);
    cmdSysInfo = controls.button(QStringLiteral("cmdSysInfo"), QStringLiteral("&Информация о системе..."),
                                 QStringLiteral("Узнать информацию о вашем компьютере"), 3120, 2520, 1965, 465, 2);
    // MS Sans Serif is narrower than the sans-serifs that stand in for it;
    // a size smaller by a little lets the long caption fit its button whole.
    cmdSysInfo->setFont(platform::classicFont(7.5));
    lblTitle = controls.label(QStringLiteral("lblTitle"), QString(), 1050, 240, 3885, 480);
    lblTitle->setStyleSheet(QStringLiteral("color: black"));
    lblVersion = controls.label(QStringLiteral("lblVersion"), QString(), 1050, 780, 3885, 225);
    Label1 = controls.label(QStringLiteral("Label1"), Description, 960, 1200, 3975, 975);
    Label1->setFont(platform::classicFont(9.75));
    controls.line(QStringLiteral("Line2"), 120, 2400, 5400, 2400);

    // Esc presses "OK" whatever has the focus; Enter presses the focused
    // button, which is "OK" unless the user has moved to the other one.
    setCancelButton(cmdOK);
    setLeaveButton(cmdOK);
    events().onClick(cmdOK, &OProgramme_frm::cmdOK_Click);
    events().onClick(cmdSysInfo, &OProgramme_frm::cmdSysInfo_Click);
}

void OProgramme_frm::Form_Load()
{
    centreOnScreen();
    lblVersion->setText(platform::fromUtf8(platform::versionText()));
    lblVersion->setAccessibleName(lblVersion->text());
    lblTitle->setText(platform::fromUtf8(platform::applicationTitle()));
    lblTitle->setAccessibleName(lblTitle->text());
    platform::announceWithFocus(cmdOK, {lblTitle->text(), lblVersion->text(), Label1->text()});
}

void OProgramme_frm::cmdOK_Click()
{
    platform::windows().unload(this);
}

void OProgramme_frm::cmdSysInfo_Click()
{
    StartSysInfo();
}

void OProgramme_frm::StartSysInfo()
{
    try {
        const auto fileExists = [](const std::string& path) { return !platform::operatingSystem().fileExists(path).empty(); };
        if (const auto path = platform::systemInformationTool(platform::nativeRegistry(), fileExists)) {
            platform::operatingSystem().startProgram(*path);
            return;
        }
    } catch (const platform::RuntimeError&) {
        // A value that cannot be read, a program that cannot be started.
    }
    platform::msgBox(Unavailable);
}

bool OProgramme_frm::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                                 std::string& KeyVal)
{
    return platform::readKeyValue(platform::nativeRegistry(), KeyRoot, KeyName, SubKeyRef, KeyVal);
}
