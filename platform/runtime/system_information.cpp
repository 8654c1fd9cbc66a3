#include "platform/runtime/system_information.h"

#include <vector>

#include "platform/runtime/runtime_error.h"

namespace platform {

namespace {

// Closes an opened key however the reading ends.
class OpenKey {
public:
    OpenKey(Registry& registry, Registry::Key key) : registry_(registry), key_(key) {}
    ~OpenKey() { registry_.closeKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    Registry& registry_;
    Registry::Key key_;
};

}  // namespace

bool readKeyValue(Registry& registry, std::uint32_t root, const std::string& keyName, const std::string& valueName,
                  std::string& value)
{
    using system_information::ValueBufferSize;

    // Read rights are all the dialog needs; any more, under
    // HKEY_LOCAL_MACHINE, is refused to every user who is no administrator.
    Registry::Key key = 0;
    if (registry.openKey(root, keyName, 0, registry::KeyRead, key) != registry::Success) {
        value.clear();
        return false;
    }
    const OpenKey opened(registry, key);

    std::vector<unsigned char> buffer(ValueBufferSize, 0);
    std::uint32_t size = ValueBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, valueName, type, buffer.data(), size) != registry::Success) {
        value.clear();
        return false;
    }
    if (size == 0 || size > ValueBufferSize)
        raiseInvalidCall();
    std::string text(reinterpret_cast<const char*>(buffer.data()), size);
    if (text.back() == '\0')
        text.pop_back();

    switch (type) {
    case registry::String:
        value = text;
        break;
    case registry::Number: {
        // Four bytes, least significant first, read as one signed number.
        std::uint32_t bits = 0;
        for (int byte = 3; byte >= 0; --byte)
            bits = bits << 8 | buffer[static_cast<std::size_t>(byte)];
        value = std::to_string(static_cast<std::int32_t>(bits));
        break;
    }
    default:
        break;
    }
    return true;
}

std::optional<std::string> systemInformationTool(Registry& registry,
                                                 const std::function<bool(const std::string& path)>& fileExists)
{
    using namespace system_information;
    std::string path;
    if (readKeyValue(registry, registry::LocalMachine, ToolPathKey, ToolPathValue, path))
        return path;
    if (!readKeyValue(registry, registry::LocalMachine, ToolFolderKey, ToolFolderValue, path))
        return std::nullopt;
    path += ToolFileName;
    if (!fileExists(path))
        return std::nullopt;
    return path;
}

}  // namespace platform
