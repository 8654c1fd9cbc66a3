#include "OProgramme_frm.h"

#include <cstring>
#include <optional>
#include <vector>

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "application_data.h"
#include "message_service.h"
#include "operating_system.h"
#include "registry.h"
#include "regional_settings.h"
#include "runtime_error.h"
#include "window_service.h"

namespace {

const QString Caption = QStringLiteral("                                  О программе");
const QString Description = QStringLiteral(
    "Данная программа предназначена для решения систем линейных уравнений методом вращения. Система может "
    "содержать от 2 до 8 неизвестных.");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

// Where the system-information tool is recorded: its full path, or the
// folder that holds it.
const std::string ToolPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string ToolPathValue = "PATH";
const std::string ToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string ToolFolderValue = "MSINFO";
const std::string ToolFileName = "\\MSINFO32.EXE";

// Read rights are all the dialog needs; any more, under HKEY_LOCAL_MACHINE,
// is refused to every user who is not an administrator.
constexpr std::uint32_t KeyAccess = platform::registry::KeyRead;
constexpr std::uint32_t ValueBufferSize = 1024;

// Closes an opened key however the reading ends.
class OpenKey {
public:
    explicit OpenKey(platform::Registry::Key key) : key_(key) {}
    ~OpenKey() { platform::systemRegistry().closeKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    platform::Registry::Key key_;
};

}  // namespace

OProgramme_frm::OProgramme_frm()
    : Form(QStringLiteral("OProgramme_frm"), Caption, platform::Frame::FixedDialog)
{
    setClientSizeTwips(5625, 3270);

    cmdOK = addButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("Вернуться в программу"), 840, 2520,
                      1860, 465, 0);
    // The picture box sizes itself to its 32 x 32 emblem.
    picIcon = addPicture(QStringLiteral("picIcon"), QPixmap(QStringLiteral(":/emblem_keys.png")),
                         QStringLiteral("Клавиши калькулятора"), 120, 120);
    cmdSysInfo = addButton(QStringLiteral("cmdSysInfo"), QStringLiteral("&Информация о системе..."),
                           QStringLiteral("Узнать информацию о вашем компьютере"), 3120, 2520, 1965, 465, 2);
    // MS Sans Serif is narrower than the sans-serifs that stand in for it;
    // a size smaller by a little lets the long caption fit its button whole.
    cmdSysInfo->setFont(classicFont(7.5));
    lblTitle = addLabel(QStringLiteral("lblTitle"), QString(), 1050, 240, 3885, 480);
    lblTitle->setStyleSheet(QStringLiteral("color: black"));
    lblVersion = addLabel(QStringLiteral("lblVersion"), QString(), 1050, 780, 3885, 225);
    Label1 = addLabel(QStringLiteral("Label1"), Description, 960, 1200, 3975, 975);
    Label1->setFont(classicFont(9.75));
    addLine(QStringLiteral("Line2"), 120, 2400, 5400, 2400);

    // Esc presses "OK" whatever has the focus; Enter presses the focused
    // button, which is "OK" unless the user has moved to the other one.
    setCancelButton(cmdOK);
    onClick(cmdOK, &OProgramme_frm::cmdOK_Click);
    onClick(cmdSysInfo, &OProgramme_frm::cmdSysInfo_Click);
}

void OProgramme_frm::Form_Load()
{
    centreOnScreen();
    lblVersion->setText(platform::fromUtf8(platform::versionText()));
    lblVersion->setAccessibleName(lblVersion->text());
    lblTitle->setText(platform::fromUtf8(platform::applicationTitle()));
    lblTitle->setAccessibleName(lblTitle->text());
}

void OProgramme_frm::titleBarClose()
{
    cmdOK_Click();
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
        if (const auto path = systemInformationTool()) {
            platform::operatingSystem().startProgram(*path);
            return;
        }
    } catch (const platform::RuntimeError&) {
        // A value that cannot be read, a program that cannot be started.
    }
    platform::msgBox(Unavailable);
}

// The full path from the first entry, as read; otherwise the folder of the
// second entry with the tool's file name, if that file exists.
std::optional<std::string> OProgramme_frm::systemInformationTool()
{
    std::string path;
    if (GetKeyValue(platform::registry::LocalMachine, ToolPathKey, ToolPathValue, path))
        return path;
    if (!GetKeyValue(platform::registry::LocalMachine, ToolFolderKey, ToolFolderValue, path))
        return std::nullopt;
    // Plain concatenation: a folder ending in "\" gives a doubled separator.
    path += ToolFileName;
    if (platform::operatingSystem().fileExists(path).empty())
        return std::nullopt;
    return path;
}

bool OProgramme_frm::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                                 std::string& KeyVal)
{
    platform::Registry& registry = platform::systemRegistry();
    platform::Registry::Key key = 0;
    if (registry.openKey(KeyRoot, KeyName, 0, KeyAccess, key) != platform::registry::Success) {
        KeyVal.clear();
        return false;
    }
    const OpenKey opened(key);

    std::vector<unsigned char> buffer(ValueBufferSize, 0);
    std::uint32_t size = ValueBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, SubKeyRef, type, buffer.data(), size) != platform::registry::Success) {
        KeyVal.clear();
        return false;
    }
    if (size == 0 || size > ValueBufferSize)
        platform::raiseInvalidCall();
    // One character per byte; a terminating NUL is dropped.
    std::string text(reinterpret_cast<const char*>(buffer.data()), size);
    if (text.back() == '\0')
        text.pop_back();

    switch (type) {
    case platform::registry::String:
        KeyVal = text;
        break;
    case platform::registry::Number: {
        // The number's four bytes, least significant first, as a whole number.
        std::uint32_t bits = 0;
        std::memcpy(&bits, buffer.data(), sizeof bits);
        KeyVal = std::to_string(static_cast<std::int32_t>(bits));
        break;
    }
    default:
        break;  // left as it was
    }
    return true;
}
