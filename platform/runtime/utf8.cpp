#include "platform/runtime/utf8.h"

namespace platform {

std::u16string utf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[k]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t extra = 1; extra < length && k + extra < utf8.size(); ++extra)
            point = point << 6 | (static_cast<unsigned char>(utf8[k + extra]) & 0x3F);
        if (point >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
        k += length;
    }
    return out;
}

}  // namespace platform
