// Where there is no Windows registry, this adapter answers for it. It knows
// the one entry the about dialog asks first, the full path of the system-
// information tool: the first of the desktop tools below that is installed
// on PATH. Every other key is missing. Like the registry under
// HKEY_LOCAL_MACHINE for a user who is no administrator, it refuses any key
// opened for more than reading.

#include <cstring>

#include <QStandardPaths>

#include "platform/runtime/registry.h"
#include "platform/runtime/system_information.h"

namespace platform {

namespace {

// Desktop system-information tools, in the order they are tried.
constexpr const char* SystemInformationTools[] = {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"};

std::string installedSystemInformationTool()
{
    for (const char* tool : SystemInformationTools) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!path.isEmpty())
            return path.toLocal8Bit().toStdString();
    }
    return {};
}

class DesktopRegistry final : public Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t, std::uint32_t access, Key& key) override
    {
        key = 0;
        if (root != registry::LocalMachine || path != system_information::ToolPathKey)
            return registry::FileNotFound;
        if (access & ~registry::KeyRead)
            return registry::AccessDenied;
        tool_ = installedSystemInformationTool();
        if (tool_.empty())
            return registry::FileNotFound;
        key = ToolKey;
        return registry::Success;
    }

    long queryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                    std::uint32_t& size) override
    {
        if (key != ToolKey || name != system_information::ToolPathValue)
            return registry::FileNotFound;
        // A string value with its terminating NUL.
        const std::uint32_t needed = static_cast<std::uint32_t>(tool_.size() + 1);
        type = registry::String;
        if (needed > size) {
            size = needed;
            return registry::MoreData;
        }
        std::memcpy(buffer, tool_.c_str(), needed);
        size = needed;
        return registry::Success;
    }

    long closeKey(Key) override { return registry::Success; }

private:
    static constexpr Key ToolKey = 1;
    std::string tool_;
};

}  // namespace

Registry& nativeRegistry()
{
    static DesktopRegistry registry;
    return registry;
}

}  // namespace platform
