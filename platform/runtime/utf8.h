#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 as UTF-16, the form the boxes and the number rules use; a character
// beyond the Basic Multilingual Plane becomes a surrogate pair. Nothing where
// the bytes are no UTF-8: an overlong form, a surrogate, a code point beyond
// U+10FFFF, a sequence cut short.
std::optional<std::u16string> strictUtf16(std::string_view utf8);

// The same for the program's own texts, which are UTF-8; a byte that is not
// becomes U+FFFD.
std::u16string utf16(std::string_view utf8);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8(std::u16string_view utf16);

}  // namespace platform
