#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The three registry calls the about dialog makes, as the Windows API has
// them (RegOpenKeyExA, RegQueryValueExA, RegCloseKey): texts in the system's
// code page, statuses as Windows numbers them, 0 for success. On Windows the
// real calls stand behind it; elsewhere an adapter answers what it can.
class Registry {
public:
    using Key = std::uintptr_t;

    virtual ~Registry() = default;
    virtual long openKey(std::uint32_t root, const std::string& path, std::uint32_t options, std::uint32_t access,
                         Key& key) = 0;
    // Writes at most size bytes into buffer; gives the value's type and, in
    // size, the number of bytes written. A value larger than the buffer is a
    // failure (ERROR_MORE_DATA).
    virtual long queryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                            std::uint32_t& size) = 0;
    virtual long closeKey(Key key) = 0;
};

namespace registry {
inline constexpr std::uint32_t LocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr std::uint32_t KeyRead = 0x20019;          // KEY_READ
inline constexpr std::uint32_t String = 1;                 // REG_SZ
inline constexpr std::uint32_t Number = 4;                 // REG_DWORD
inline constexpr long Success = 0;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long MoreData = 234;
}  // namespace registry

// The system's own: the registry of Windows through advapi32 on Windows, the
// desktop adapter elsewhere.
Registry& nativeRegistry();

}  // namespace platform
