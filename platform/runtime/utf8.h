#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 text as UTF-16, the form the boxes and the number rules use. The
// program's texts lie within the Basic Multilingual Plane.
std::u16string utf16(std::string_view utf8);

}  // namespace platform
