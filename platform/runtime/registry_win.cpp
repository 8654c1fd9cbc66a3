// The registry of Windows, through advapi32. Compiled on Windows only.

#include "platform/runtime/registry.h"

#include <windows.h>

namespace platform {

namespace {

HKEY handleOf(std::uint32_t root)
{
    // The predefined roots are 32-bit values, sign-extended into a handle.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry final : public Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t options, std::uint32_t access,
                 Key& key) override
    {
        HKEY opened = nullptr;
        const LONG status = RegOpenKeyExA(handleOf(root), path.c_str(), options, access, &opened);
        key = reinterpret_cast<Key>(opened);
        return status;
    }

    long queryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                    std::uint32_t& size) override
    {
        DWORD valueType = 0;
        DWORD valueSize = size;
        const LONG status =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &valueType, buffer, &valueSize);
        type = valueType;
        size = valueSize;
        return status;
    }

    long closeKey(Key key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

}  // namespace

Registry& nativeRegistry()
{
    static WindowsRegistry registry;
    return registry;
}

}  // namespace platform
