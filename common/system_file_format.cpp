#include "common/system_file_format.h"

#include <optional>

#include "platform/runtime/pasted_cells.h"
#include "platform/runtime/utf8.h"

namespace system_file {

namespace {

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
        text = platform::strictUtf16(bytes.substr(3));
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        text = fromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    else if (bytes.find('\0') != std::string_view::npos)
        return Refusal{Fault::Binary};  // no text this program reads has a NUL byte
    else
        text = platform::strictUtf16(bytes);
    if (!text)
        return Refusal{Fault::Encoding};
    if (binary(*text))
        return Refusal{Fault::Binary};
    return *std::move(text);
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
        for (std::size_t k = 0; k < row.size(); ++k)
            out += (k > 0 ? ";" : "") + platform::utf8(row[k]);
        out += lineEnd;
    }
    return out;
}

}  // namespace system_file
