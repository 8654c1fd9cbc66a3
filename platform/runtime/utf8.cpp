#include "platform/runtime/utf8.h"

namespace platform {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void appendUtf16(std::u16string& out, char32_t point)
{
    if (point >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
        out += static_cast<char16_t>(point);
    }
}

// The code point at k and the bytes it takes, or nothing for bytes that are no UTF-8.
std::optional<std::pair<char32_t, std::size_t>> decodeAt(std::string_view bytes, std::size_t k)
{
    const auto lead = static_cast<unsigned char>(bytes[k]);
    const std::size_t length = lead < 0x80                  ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || k + length > bytes.size())
        return std::nullopt;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t extra = 1; extra < length; ++extra) {
        const auto next = static_cast<unsigned char>(bytes[k + extra]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        point = point << 6 | (next & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF)
        return std::nullopt;
    return std::pair{point, length};
}

}  // namespace

std::optional<std::u16string> strictUtf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto decoded = decodeAt(utf8, k);
        if (!decoded)
            return std::nullopt;
        appendUtf16(out, decoded->first);
        k += decoded->second;
    }
    return out;
}

std::u16string utf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto decoded = decodeAt(utf8, k);
        appendUtf16(out, decoded ? decoded->first : Replacement);
        k += decoded ? decoded->second : 1;
    }
    return out;
}

std::string utf8(std::u16string_view utf16)
{
    std::string out;
    for (std::size_t k = 0; k < utf16.size(); ++k) {
        char32_t point = utf16[k];
        if (point >= 0xD800 && point < 0xDC00 && k + 1 < utf16.size() && utf16[k + 1] >= 0xDC00 && utf16[k + 1] < 0xE000)
            point = 0x10000 + ((point - 0xD800) << 10) + (utf16[++k] - 0xDC00);
        else if (point >= 0xD800 && point < 0xE000)
            point = Replacement;
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | point >> 6);
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | point >> 12);
            out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | point >> 18);
            out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
