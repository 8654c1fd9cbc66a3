#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 text as UTF-16, the form the boxes and the number rules use; a
// character beyond the Basic Multilingual Plane becomes a surrogate pair.
// The text is taken to be valid UTF-8.
std::u16string utf16(std::string_view utf8);

}  // namespace platform
