#include "platform/runtime/utf8.h"

namespace platform {

std::u16string utf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[k]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        char16_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
        for (std::size_t extra = 1; extra < length && k + extra < utf8.size(); ++extra)
            point = static_cast<char16_t>(point << 6 | (static_cast<unsigned char>(utf8[k + extra]) & 0x3F));
        out += point;
        k += length;
    }
    return out;
}

}  // namespace platform
