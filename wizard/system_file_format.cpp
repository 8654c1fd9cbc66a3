#include "wizard/system_file_format.h"

#include <optional>

#include "platform/runtime/pasted_cells.h"

namespace system_file {

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::optional<std::u16string> fromUtf8(std::string_view bytes)
{
    std::u16string text;
    for (std::size_t k = 0; k < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[k]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                   : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        if (length == 0 || k + length > bytes.size())
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t extra = 1; extra < length; ++extra) {
            const auto next = static_cast<unsigned char>(bytes[k + extra]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = point << 6 | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < least[length] || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF)
            return std::nullopt;
        if (point >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(point);
        }
        k += length;
    }
    return text;
}

// UTF-16 after its mark, in the byte order the mark gave; surrogates paired.
std::optional<std::u16string> fromUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    for (std::size_t k = 0; k < bytes.size(); k += 2) {
        const auto first = static_cast<unsigned char>(bytes[k]), second = static_cast<unsigned char>(bytes[k + 1]);
        text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    for (std::size_t k = 0; k < text.size(); ++k) {
        const bool high = text[k] >= 0xD800 && text[k] < 0xDC00, low = text[k] >= 0xDC00 && text[k] < 0xE000;
        if (low || (high && (k + 1 == text.size() || text[k + 1] < 0xDC00 || text[k + 1] >= 0xE000)))
            return std::nullopt;
        k += high ? 1 : 0;
    }
    return text;
}

// A text holds binary data when it holds a control character other than
// the tab and the line breaks.
bool binary(const std::u16string& text)
{
    for (const char16_t c : text) {
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c < 0xA0))
            return true;
    }
    return false;
}

std::variant<std::u16string, Refusal> decoded(std::string_view bytes)
{
    std::optional<std::u16string> text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        text = fromUtf8(bytes.substr(3));
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        text = fromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    else if (bytes.find('\0') != std::string_view::npos)
        return Refusal{Fault::Binary};  // no text this program reads has a NUL byte
    else
        text = fromUtf8(bytes);
    if (!text)
        return Refusal{Fault::Encoding};
    if (binary(*text))
        return Refusal{Fault::Binary};
    return *std::move(text);
}

void appendUtf8(std::string& out, char32_t point)
{
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

}  // namespace

std::variant<System, Refusal> read(std::string_view bytes)
{
    if (bytes.size() > MaxBytes)
        return Refusal{Fault::TooLarge, 0, bytes.size(), MaxBytes};
    auto text = decoded(bytes);
    if (const auto* refusal = std::get_if<Refusal>(&text))
        return *refusal;

    platform::PastedCells lines = platform::pastedCells(std::get<std::u16string>(text));
    while (!lines.empty() && lines.back().size() == 1 && lines.back()[0].empty())
        lines.pop_back();
    const std::size_t n = lines.size();
    if (n < 2)
        return Refusal{Fault::TooFewLines, 0, n, 2};
    if (n > 8)
        return Refusal{Fault::TooManyLines, 0, n, 8};
    const std::size_t width = lines[0].size();
    if (width != n && width != n + 1)
        return Refusal{Fault::FirstLine, 1, width, n};
    for (std::size_t line = 1; line < n; ++line) {
        if (lines[line].size() != width)
            return Refusal{Fault::LineLength, static_cast<int>(line) + 1, lines[line].size(), width};
    }

    System system;
    system.n = static_cast<int>(n);
    for (auto& line : lines) {
        if (width == n + 1) {
            system.rightHandSides.push_back(std::move(line.back()));
            line.pop_back();
        }
        system.coefficients.push_back(std::move(line));
    }
    return system;
}

std::string write(const std::vector<std::vector<std::u16string>>& rows, std::string_view lineEnd)
{
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                out += ';';
            const std::u16string& cell = row[k];
            for (std::size_t c = 0; c < cell.size(); ++c) {
                char32_t point = cell[c];
                if (point >= 0xD800 && point < 0xDC00 && c + 1 < cell.size())
                    point = 0x10000 + ((point - 0xD800) << 10) + (cell[++c] - 0xDC00);
                appendUtf8(out, point);
            }
        }
        out += lineEnd;
    }
    return out;
}

}  // namespace system_file
