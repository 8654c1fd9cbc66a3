#include "common/system_file_format.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/pasted_cells.h"
#include "platform/runtime/utf8.h"

namespace system_file {

namespace {

Refusal refused(Fault fault, int line = 0, std::size_t found = 0, std::size_t expected = 0,
                Separator separator = Separator::Tab)
{
    Refusal refusal;
    refusal.fault = fault;
    refusal.line = line;
    refusal.found = found;
    refusal.expected = expected;
    refusal.separator = separator;
    return refusal;
}

// UTF-16 in the byte order given; surrogates paired.
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

// Bytes with NULs: UTF-16 without its mark where every other byte is zero
// (a text of digits, separators and line ends, which shows its byte order
// unambiguously); a refusal that names it where the zeros stand only every
// other byte but not at every one (letters of other scripts); else binary.
std::variant<std::u16string, Refusal> withoutMark(std::string_view bytes)
{
    std::size_t zeros[2] = {0, 0};
    for (std::size_t k = 0; k < bytes.size(); ++k)
        zeros[k % 2] += bytes[k] == '\0' ? 1 : 0;
    const std::size_t pairs = bytes.size() / 2;
    for (const int high : {1, 0}) {  // little end first: the high bytes, at odd places, are zero
        if (zeros[1 - high] != 0)
            continue;
        if (bytes.size() % 2 == 0 && zeros[high] == pairs)
            return *fromUtf16(bytes, high == 0);
        if (zeros[high] * 2 >= pairs)
            return refused(Fault::Utf16WithoutMark);
    }
    return refused(Fault::Binary);
}

std::variant<std::u16string, Refusal> decoded(std::string_view bytes)
{
    std::optional<std::u16string> text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        text = platform::strictUtf16(bytes.substr(3));
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        text = fromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    } else if (bytes.find('\0') != std::string_view::npos) {
        auto unmarked = withoutMark(bytes);
        if (std::holds_alternative<Refusal>(unmarked))
            return unmarked;
        text = std::get<std::u16string>(std::move(unmarked));
    } else {
        text = platform::strictUtf16(bytes);
    }
    if (!text)
        return refused(Fault::Encoding);
    if (binary(*text))
        return refused(Fault::Binary);
    return *std::move(text);
}

char16_t separatorCharacter(Separator separator)
{
    switch (separator) {
    case Separator::Tab:
        return u'\t';
    case Separator::Semicolon:
        return u';';
    case Separator::Comma:
        return u',';
    case Separator::Blanks:
        break;
    }
    return u' ';
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

Separator separatorOf(std::u16string_view text)
{
    bool quoted = false, tab = false, semicolon = false, comma = false;
    for (const char16_t c : text) {
        quoted = quoted != (c == u'"');
        tab = tab || (!quoted && c == u'\t');
        semicolon = semicolon || (!quoted && c == u';');
        comma = comma || (!quoted && c == u',');
    }
    return tab ? Separator::Tab : semicolon ? Separator::Semicolon : comma ? Separator::Comma : Separator::Blanks;
}

// A line of the file as read: the line it starts on, and its cells.
struct Line {
    int number = 0;
    std::vector<std::u16string> cells;

    bool empty() const
    {
        return std::all_of(cells.begin(), cells.end(), [](const auto& cell) { return cell.empty(); });
    }
};

// The lines and cells of a text, as RFC 4180 reads them with the separator
// given: a cell that begins with a double quote runs to the closing one, ""
// inside being one quote; a line break ends a line (\r\n, \n or \r) except
// inside quotes; a final line break makes no extra line. The text's first
// line is the file's line number first; where a quote is never closed,
// unclosed is the line it opened on.
std::vector<Line> linesOf(std::u16string_view text, Separator separator, int first, int& unclosed)
{
    const char16_t split = separatorCharacter(separator);
    std::vector<Line> lines;
    Line line{first, {}};
    std::u16string cell;
    int number = first;
    bool pending = false, cellStart = true;
    const auto lineBreak = [&](std::size_t& k) {
        k += text.substr(k).starts_with(u"\r\n") ? 2 : 1;
        ++number;
    };
    const auto endCell = [&] {
        line.cells.push_back(platform::trimmedCell(cell));
        cell.clear();
        cellStart = true;
    };
    for (std::size_t k = 0; k < text.size();) {
        const char16_t c = text[k];
        pending = true;
        if (c == u'\r' || c == u'\n') {
            lineBreak(k);
            endCell();
            lines.push_back(std::move(line));
            line = Line{number, {}};
            pending = false;
        } else if (cellStart && c == u'"') {
            unclosed = number;
            for (++k; k < text.size(); ++k) {
                if (text[k] == u'"' && text.substr(k).starts_with(u"\"\"")) {
                    cell += u'"';
                    ++k;
                } else if (text[k] == u'"') {
                    unclosed = 0;
                    ++k;
                    break;
                } else {
                    cell += text[k];
                    number += text[k] == u'\n' || (text[k] == u'\r' && !text.substr(k).starts_with(u"\r\n")) ? 1 : 0;
                }
            }
            cellStart = false;
        } else if (separator == Separator::Blanks && isBlank(c)) {
            while (k < text.size() && isBlank(text[k]))
                ++k;
            // Blanks at the start or the end of a line separate nothing.
            const bool lineGoesOn = k < text.size() && text[k] != u'\r' && text[k] != u'\n';
            if (lineGoesOn && !(cellStart && line.cells.empty()))
                endCell();
        } else if (c == split && separator != Separator::Blanks) {
            endCell();
            ++k;
        } else {
            if (!(cellStart && isBlank(c)))  // blanks before an opening quote
                cellStart = false;
            cell += c;
            ++k;
        }
    }
    if (pending) {
        endCell();
        lines.push_back(std::move(line));
    }
    return lines;
}

// The same format with the other of the two decimal marks, a point or a
// comma, and no digit groups: files are written without them.
platform::NumberFormat otherMark(const platform::NumberFormat& settings)
{
    platform::NumberFormat other = settings;
    other.decimalSeparator = settings.decimalSeparator == u"," ? u"." : u",";
    other.groupSeparator.clear();
    return other;
}

// The file's decimal mark, where it is the other one: some number cell reads
// only with it, and every number cell reads with it. Files are written
// without digit groups, as the program saves them too: "1,500" in a file
// read under English settings is a Russian one and a half, not 1500.
bool writtenWithOtherMark(const std::vector<Line>& lines, platform::NumberFormat settings,
                          const platform::NumberFormat& other)
{
    settings.groupSeparator.clear();
    bool onlyOther = false;
    for (const Line& line : lines) {
        for (const auto& cell : line.cells) {
            const bool bySettings = platform::parseNumber(cell, settings).has_value();
            const bool byOther = platform::parseNumber(cell, other).has_value();
            if (bySettings && !byOther)
                return false;
            onlyOther = onlyOther || (byOther && !bySettings);
        }
    }
    return onlyOther;
}

bool isNumber(const std::u16string& cell, const platform::NumberFormat& settings, const platform::NumberFormat& other)
{
    return platform::parseNumber(cell, settings) || platform::parseNumber(cell, other);
}

Refusal refusedLine(Fault fault, const Line& line, std::size_t expected, Separator separator)
{
    Refusal refusal = refused(fault, line.number, line.cells.size(), expected, separator);
    const auto shown = std::min(line.cells.size(), CellsShown);
    refusal.cells.assign(line.cells.begin(), line.cells.begin() + static_cast<long>(shown));
    return refusal;
}

}  // namespace

std::variant<System, Refusal> read(std::string_view bytes, const platform::NumberFormat& settings)
{
    if (bytes.size() > MaxBytes)
        return refused(Fault::TooLarge, 0, bytes.size(), MaxBytes);
    auto decodedText = decoded(bytes);
    if (const auto* refusal = std::get_if<Refusal>(&decodedText))
        return *refusal;
    const std::u16string& text = std::get<std::u16string>(decodedText);

    System system;
    // A first line "sep=;" names the separator, as some spreadsheets write it.
    std::u16string_view body = text;
    int first = 1;
    if (const auto end = body.find_first_of(u"\r\n"); body.substr(0, 4) == u"sep=" && end == 5
        && std::u16string_view(u"\t;,").find(body[4]) != std::u16string_view::npos) {
        system.separator = body[4] == u'\t' ? Separator::Tab : body[4] == u';' ? Separator::Semicolon : Separator::Comma;
        body.remove_prefix(body.substr(5).starts_with(u"\r\n") ? 7 : 6);
        first = 2;
    } else {
        system.separator = separatorOf(text);
    }
    int unclosed = 0;
    std::vector<Line> lines = linesOf(body, system.separator, first, unclosed);
    if (unclosed > 0)
        return refused(Fault::UnclosedQuote, unclosed, 0, 0, system.separator);
    // What a spreadsheet leaves: lines of separators only before and after
    // the system, ...
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    while (!lines.empty() && lines.front().empty())
        lines.erase(lines.begin());
    const platform::NumberFormat other = otherMark(settings);
    // ... a first line that names the columns, ...
    if (!lines.empty() && !lines.front().empty()
        && std::none_of(lines.front().cells.begin(), lines.front().cells.end(),
                        [&](const auto& cell) { return isNumber(cell, settings, other); })) {
        system.header = std::move(lines.front().cells);
        lines.erase(lines.begin());
    }
    for (const Line& line : lines) {
        if (line.empty())
            return refused(Fault::EmptyLine, line.number, 0, 0, system.separator);
    }
    // ... and an empty cell at the start or the end of every line (columns
    // left empty).
    const auto everyLine = [&](auto empty) {
        return !lines.empty() && std::all_of(lines.begin(), lines.end(), [&](const Line& line) {
            return line.cells.size() > 1 && empty(line.cells);
        });
    };
    while (everyLine([](const auto& cells) { return cells.back().empty(); })) {
        for (Line& line : lines)
            line.cells.pop_back();
    }
    while (everyLine([](const auto& cells) { return cells.front().empty(); })) {
        for (Line& line : lines)
            line.cells.erase(line.cells.begin());
    }

    const std::size_t n = lines.size();
    if (n < 2)
        return refused(Fault::TooFewLines, 0, n, 2);
    if (n > 8)
        return refused(Fault::TooManyLines, 0, n, 8);
    const std::size_t width = lines[0].cells.size();
    if (width != n && width != n + 1)
        return refusedLine(Fault::FirstLine, lines[0], n, system.separator);
    for (const Line& line : lines) {
        if (line.cells.size() != width)
            return refusedLine(Fault::LineLength, line, width, system.separator);
    }

    if (writtenWithOtherMark(lines, settings, other)) {
        system.convertedMark = other.decimalSeparator;
        for (Line& line : lines) {
            for (auto& cell : line.cells) {
                if (platform::parseNumber(cell, other))
                    if (const auto at = cell.find(other.decimalSeparator); at != std::u16string::npos)
                        cell.replace(at, other.decimalSeparator.size(), settings.decimalSeparator);
            }
        }
    }

    system.n = static_cast<int>(n);
    for (Line& line : lines) {
        if (width == n + 1) {
            system.rightHandSides.push_back(std::move(line.cells.back()));
            line.cells.pop_back();
        }
        system.coefficients.push_back(std::move(line.cells));
    }
    return system;
}

std::string write(const std::vector<std::vector<std::u16string>>& rows, Separator separator, std::string_view lineEnd)
{
    // A cell is quoted where it holds its own separator, one that the reader
    // would take before it, a quote, or a line break.
    std::u16string special = u"\"\r\n\t";
    if (separator != Separator::Tab)
        special += u';';
    if (separator == Separator::Comma)
        special += u',';
    const std::string split = platform::utf8(std::u16string(1, separatorCharacter(separator)));
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            out += k > 0 ? split : "";
            if (row[k].find_first_of(special) == std::u16string::npos) {
                out += platform::utf8(row[k]);
                continue;
            }
            std::u16string quoted = u"\"";
            for (const char16_t c : row[k])
                quoted += c == u'"' ? u"\"\"" : std::u16string(1, c);
            out += platform::utf8(quoted + u"\"");
        }
        out += lineEnd;
    }
    return out;
}

}  // namespace system_file
