#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/runtime/registry.h"

namespace platform {

// Reads the value valueName of the key keyName under root into value, texts
// in the system's code page, as the about dialog reads the registry:
//
// 1. The key is opened for reading only (KEY_READ). Where it cannot be
//    opened (missing, or the rights refused), value becomes empty: false.
// 2. The value is read into a buffer of 1024 bytes; one that cannot be read
//    (missing, or larger than the buffer) makes value empty: false.
// 3. The bytes read become text, one character per byte; a NUL in the last
//    place is dropped. Zero bytes raise the invalid-call error.
// 4. A string (type 1) gives that text; a 32-bit number (type 4), stored
//    least significant byte first, its signed decimal; any other type leaves
//    value as it was. All three give true.
//
// The key is closed however the reading ends.
bool readKeyValue(Registry& registry, std::uint32_t root, const std::string& keyName, const std::string& valueName,
                  std::string& value);

// Where the operating system's system-information tool is: the full path the
// first entry records, as read and not tested; else, where the first entry
// is missing, the folder the second entry records with "\MSINFO32.EXE"
// appended as it stands (a folder ending in "\" gives a doubled separator),
// if fileExists finds it. Nothing where neither leads to a file. A value of
// zero bytes raises the invalid-call error.
std::optional<std::string> systemInformationTool(Registry& registry,
                                                 const std::function<bool(const std::string& path)>& fileExists);

namespace system_information {
inline const std::string ToolPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline const std::string ToolPathValue = "PATH";
inline const std::string ToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline const std::string ToolFolderValue = "MSINFO";
inline const std::string ToolFileName = "\\MSINFO32.EXE";
inline constexpr std::uint32_t ValueBufferSize = 1024;
}  // namespace system_information

}  // namespace platform
