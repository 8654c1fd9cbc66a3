#include "documents/system_file_format.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/blanks.h"
#include "platform/runtime/pasted_cells.h"
#include "platform/runtime/utf8.h"
#include "solver/peremennye.h"

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

// Windows-1251, the code page a spreadsheet on Russian Windows saves its
// text in: every byte is a character there, ASCII below 0x80 and Cyrillic
// letters from 0xC0 on.
std::u16string fromWindows1251(std::string_view bytes)
{
    static constexpr char16_t Upper[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
        0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
        0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
        0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
        0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    std::u16string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < 0x80 ? char16_t(byte) : byte < 0xC0 ? Upper[byte - 0x80] : char16_t(0x0410 + byte - 0xC0);
    }
    return text;
}

struct Decoded {
    std::u16string text;
    bool windows1251 = false;
};

std::variant<Decoded, Refusal> decoded(std::string_view bytes)
{
    std::optional<std::u16string> text;
    bool windows1251 = false;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        text = platform::strictUtf16(bytes.substr(3));
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        text = fromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    } else if (bytes.find('\0') != std::string_view::npos) {
        auto unmarked = withoutMark(bytes);
        if (const auto* refusal = std::get_if<Refusal>(&unmarked))
            return *refusal;
        text = std::get<std::u16string>(std::move(unmarked));
    } else {
        // Without a mark a text is UTF-8 where it can be, and else the
        // Russian Windows code page.
        text = platform::strictUtf16(bytes);
        windows1251 = !text;
        if (windows1251)
            text = fromWindows1251(bytes);
    }
    if (!text)
        return refused(Fault::Encoding);
    if (binary(*text))
        return refused(Fault::Binary);
    return Decoded{*std::move(text), windows1251};
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

// A line of the file as read: the line it starts on, its cells, and which of
// them were written in double quotes.
struct Line {
    int number = 0;
    std::vector<std::u16string> cells;
    std::vector<bool> quoted;

    bool empty() const
    {
        return std::all_of(cells.begin(), cells.end(), [](const auto& cell) { return cell.empty(); });
    }
    void dropFirst()
    {
        cells.erase(cells.begin());
        quoted.erase(quoted.begin());
    }
    void dropLast()
    {
        cells.pop_back();
        quoted.pop_back();
    }
};

// A cell in double quotes, from its opening quote at k: "" inside is one
// quote, line breaks are its own, and the lines they end are counted. k ends
// after the closing quote; false where there is none.
bool readQuoted(std::u16string_view text, std::size_t& k, std::u16string& cell, int& number)
{
    for (++k; k < text.size(); ++k) {
        if (text.substr(k).starts_with(u"\"\"")) {
            cell += u'"';
            ++k;
        } else if (text[k] == u'"') {
            ++k;
            return true;
        } else {
            cell += text[k];
            number += text[k] == u'\n' || (text[k] == u'\r' && !text.substr(k).starts_with(u"\r\n")) ? 1 : 0;
        }
    }
    return false;
}

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
    Line line{first, {}, {}};
    std::u16string cell;
    int number = first;
    bool pending = false, cellStart = true, cellQuoted = false;
    const auto lineBreak = [&](std::size_t& k) {
        k += text.substr(k).starts_with(u"\r\n") ? 2 : 1;
        ++number;
    };
    const auto endCell = [&] {
        line.cells.push_back(platform::trimmedCell(cell));
        line.quoted.push_back(cellQuoted);
        cell.clear();
        cellStart = true;
        cellQuoted = false;
    };
    for (std::size_t k = 0; k < text.size();) {
        const char16_t c = text[k];
        pending = true;
        if (c == u'\r' || c == u'\n') {
            lineBreak(k);
            endCell();
            lines.push_back(std::move(line));
            line = Line{number, {}, {}};
            pending = false;
        } else if (cellStart && c == u'"') {
            const int opened = number;
            if (!readQuoted(text, k, cell, number))
                unclosed = opened;
            cellQuoted = true;
            cellStart = false;
        } else if (separator == Separator::Blanks && platform::isSpaceKind(c)) {
            while (k < text.size() && platform::isSpaceKind(text[k]))
                ++k;
            // Blanks at the start or the end of a line separate nothing.
            const bool lineGoesOn = k < text.size() && text[k] != u'\r' && text[k] != u'\n';
            if (lineGoesOn && !(cellStart && line.cells.empty()))
                endCell();
        } else if (c == split && separator != Separator::Blanks) {
            endCell();
            ++k;
        } else {
            if (!(cellStart && platform::isSpaceKind(c)))  // blanks before an opening quote
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

// The lines of a decoded text, and the separator: a first line "sep=;" names
// it, as some spreadsheets write it; otherwise it is found in the text.
std::variant<std::vector<Line>, Refusal> splitLines(std::u16string_view text, Separator& separator)
{
    int first = 1;
    if (const auto end = text.find_first_of(u"\r\n"); text.substr(0, 4) == u"sep=" && end == 5
        && std::u16string_view(u"\t;,").find(text[4]) != std::u16string_view::npos) {
        separator = text[4] == u'\t' ? Separator::Tab : text[4] == u';' ? Separator::Semicolon : Separator::Comma;
        text.remove_prefix(text.substr(5).starts_with(u"\r\n") ? 7 : 6);
        first = 2;
    } else {
        separator = separatorOf(text);
    }
    int unclosed = 0;
    std::vector<Line> lines = linesOf(text, separator, first, unclosed);
    if (unclosed > 0)
        return refused(Fault::UnclosedQuote, unclosed, 0, 0, separator);
    // What a spreadsheet leaves: lines of separators only before and after
    // the system.
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    while (!lines.empty() && lines.front().empty())
        lines.erase(lines.begin());
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

// A file's numbers read with either mark.
struct Marks {
    platform::NumberFormat settings;
    platform::NumberFormat other;

    bool isNumber(const std::u16string& cell) const
    {
        return platform::parseNumber(cell, settings) || platform::parseNumber(cell, other);
    }
};

// A whole number written as plain digits, as tools number rows and columns.
std::optional<int> plainCount(const std::u16string& cell)
{
    if (cell.empty() || cell.size() > 3
        || !std::all_of(cell.begin(), cell.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    int value = 0;
    for (const char16_t c : cell)
        value = value * 10 + (c - u'0');
    return value;
}

// Cells from `start` on that count 0, 1, 2, ... or 1, 2, 3, ..., as pandas
// names the columns of a table it was given without names.
bool countsColumns(const std::vector<std::u16string>& cells, std::size_t start, int from)
{
    if (cells.size() < start + 2)
        return false;
    for (std::size_t k = start; k < cells.size(); ++k) {
        if (plainCount(cells[k]) != static_cast<int>(k - start) + from)
            return false;
    }
    return true;
}

// Columns left empty at the start and the end of every line, as a sheet's
// leftovers are, go; so do the header's cells above them.
void dropEmptyColumns(std::vector<Line>& lines, std::vector<std::u16string>& header)
{
    const auto everyLine = [&](auto empty) {
        return !lines.empty() && std::all_of(lines.begin(), lines.end(), [&](const Line& line) {
            return line.cells.size() > 1 && empty(line.cells);
        });
    };
    while (everyLine([](const auto& cells) { return cells.back().empty(); })) {
        for (Line& line : lines)
            line.dropLast();
    }
    while (everyLine([](const auto& cells) { return cells.front().empty(); })) {
        for (Line& line : lines)
            line.dropFirst();
        if (!header.empty() && header.front().empty())
            header.erase(header.begin());
    }
    while (!header.empty() && header.back().empty())
        header.pop_back();
}

Refusal refusedLine(Fault fault, const Line& line, std::size_t expected, Separator separator)
{
    Refusal refusal = refused(fault, line.number, line.cells.size(), expected, separator);
    const auto shown = std::min(line.cells.size(), CellsShown);
    refusal.cells.assign(line.cells.begin(), line.cells.begin() + static_cast<long>(shown));
    return refusal;
}

// Lines that do not make a system of 2 to 8 equations of the same length.
std::optional<Refusal> misshapen(const std::vector<Line>& lines, Separator separator)
{
    for (const Line& line : lines) {
        if (line.empty())
            return refused(Fault::EmptyLine, line.number, 0, 0, separator);
    }
    const std::size_t n = lines.size();
    if (n < MinUnknowns)
        return refused(Fault::TooFewLines, 0, n, MinUnknowns);
    if (n > MaxUnknowns)
        return refused(Fault::TooManyLines, 0, n, MaxUnknowns);
    const std::size_t width = lines[0].cells.size();
    if (width != n && width != n + 1)
        return refusedLine(Fault::FirstLine, lines[0], n, separator);
    for (const Line& line : lines) {
        if (line.cells.size() != width)
            return refusedLine(Fault::LineLength, line, width, separator);
    }
    return std::nullopt;
}

// How many cells of the first column are labels: a text that is no number;
// a cell in quotes, where the file does not quote its numbers (R); or the
// row's own number counted from 0 (pandas) or from 1 (R). The first line
// whose cell is not, if any.
struct FirstColumn {
    std::size_t labels = 0;
    const Line* doubted = nullptr;
};

FirstColumn firstColumn(const std::vector<Line>& lines, const Marks& marks)
{
    bool numbersQuoted = false;
    for (const Line& line : lines) {
        for (std::size_t k = 1; k < line.cells.size(); ++k)
            numbersQuoted = numbersQuoted || (line.quoted[k] && marks.isNumber(line.cells[k]));
    }
    // Rows are numbered from the first row's number, where that is 0 or 1.
    const int from = lines.empty() ? -1 : plainCount(lines.front().cells.front()).value_or(-1);
    FirstColumn column;
    for (std::size_t r = 0; r < lines.size(); ++r) {
        const auto& cell = lines[r].cells.front();
        const bool rowNumber = (from == 0 || from == 1) && plainCount(cell) == from + static_cast<int>(r);
        const bool label = !cell.empty() && ((lines[r].quoted.front() && !numbersQuoted) || !marks.isNumber(cell) || rowNumber);
        column.labels += label ? 1 : 0;
        if (!label && !column.doubted)
            column.doubted = &lines[r];
    }
    return column;
}

// Whether the first of the lines names the columns rather than holding an
// equation: it holds no number; or it numbers the columns from 0, as pandas
// does, after an empty cell above a column of row names (pandas' index), or
// on its own where the lines after it have the shape of a system (pandas
// without its index).
bool namesColumns(const std::vector<Line>& lines, const Marks& marks)
{
    const Line& first = lines.front();
    if (first.empty())
        return false;
    if (std::none_of(first.cells.begin(), first.cells.end(), [&](const auto& cell) { return marks.isNumber(cell); }))
        return true;
    const std::vector<Line> below(lines.begin() + 1, lines.end());
    if (first.cells.front().empty() && countsColumns(first.cells, 1, 0) && !below.empty()
        && firstColumn(below, marks).labels == below.size())
        return true;
    const std::size_t width = first.cells.size(), equations = lines.size() - 1;
    return countsColumns(first.cells, 0, 0) && equations >= 2 && (width == equations || width == equations + 1)
           && std::all_of(lines.begin() + 1, lines.end(), [&](const Line& line) { return line.cells.size() == width; });
}

// A first column of row names, as R and pandas write them beside a table:
// told by the header (an empty cell above the column, or one cell fewer than
// the lines have), and only where every cell of the column is a label. A
// column of numbers that are not the rows' numbers
// is coefficients, and so is one whose lines are a system only with it;
// where some cells are labels and some are not, the reader cannot tell, and
// the file is refused.
std::optional<Refusal> dropRowNames(std::vector<Line>& lines, const std::vector<std::u16string>& header,
                                    const Marks& marks, System& system)
{
    if (lines.empty() || lines.front().cells.size() < 2
        || !((!header.empty() && header.front().empty())
             || (header.size() >= 2 && header.size() + 1 == lines.front().cells.size())))
        return std::nullopt;
    const FirstColumn column = firstColumn(lines, marks);
    const std::size_t labels = column.labels;
    const Line* doubted = column.doubted;
    if (labels == 0)
        return std::nullopt;
    if (doubted) {
        Refusal refusal = refused(Fault::RowNames, doubted->number, labels, lines.size(), system.separator);
        refusal.cells = {doubted->cells.front()};
        return refusal;
    }
    std::vector<Line> without = lines;
    for (Line& line : without)
        line.dropFirst();
    if (misshapen(without, system.separator) && !misshapen(lines, system.separator))
        return std::nullopt;
    for (Line& line : lines)
        system.rowNames.push_back(line.cells.front());
    lines = std::move(without);
    return std::nullopt;
}

// The file's decimal mark, where it is the other one: some number cell reads
// only with it, and every number cell reads with it. Files are written
// without digit groups, as the program saves them too: "1,500" in a file
// read under English settings is a Russian one and a half, not 1500.
bool writtenWithOtherMark(const std::vector<Line>& lines, const Marks& marks)
{
    platform::NumberFormat settings = marks.settings;
    settings.groupSeparator.clear();
    bool onlyOther = false;
    for (const Line& line : lines) {
        for (const auto& cell : line.cells) {
            const bool bySettings = platform::parseNumber(cell, settings).has_value();
            const bool byOther = platform::parseNumber(cell, marks.other).has_value();
            if (bySettings && !byOther)
                return false;
            onlyOther = onlyOther || (byOther && !bySettings);
        }
    }
    return onlyOther;
}

// The file's mark exchanged for the settings' in every cell that then reads;
// a cell with a digit and the file's mark that does not read even so (digit
// groups written into it) is kept as written, and named.
void exchangeMark(std::vector<Line>& lines, const Marks& marks, System& system)
{
    if (!writtenWithOtherMark(lines, marks))
        return;
    const std::u16string& mark = marks.other.decimalSeparator;
    system.convertedMark = mark;
    for (Line& line : lines) {
        for (auto& cell : line.cells) {
            const auto at = cell.find(mark);
            if (at == std::u16string::npos)
                continue;
            if (platform::parseNumber(cell, marks.other))
                cell.replace(at, mark.size(), marks.settings.decimalSeparator);
            else if (std::any_of(cell.begin(), cell.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
                system.keptAsWritten.push_back(cell);
        }
    }
}

}  // namespace

std::variant<System, Refusal> read(std::string_view bytes, const platform::NumberFormat& settings)
{
    if (bytes.size() > MaxBytes)
        return refused(Fault::TooLarge, 0, bytes.size(), MaxBytes);
    auto decodedText = decoded(bytes);
    if (const auto* refusal = std::get_if<Refusal>(&decodedText))
        return *refusal;
    System system;
    system.windows1251 = std::get<Decoded>(decodedText).windows1251;
    auto split = splitLines(std::get<Decoded>(decodedText).text, system.separator);
    if (const auto* refusal = std::get_if<Refusal>(&split))
        return *refusal;
    std::vector<Line>& lines = std::get<std::vector<Line>>(split);

    const Marks marks{settings, otherMark(settings)};
    if (!lines.empty() && namesColumns(lines, marks)) {
        system.header = std::move(lines.front().cells);
        lines.erase(lines.begin());
    }
    std::vector<std::u16string> header = system.header;
    if (std::none_of(lines.begin(), lines.end(), [](const Line& line) { return line.empty(); }))
        dropEmptyColumns(lines, header);
    if (auto refusal = dropRowNames(lines, header, marks, system))
        return *refusal;
    if (!system.rowNames.empty())  // an empty column beside them is a leftover too
        dropEmptyColumns(lines, header);
    if (auto refusal = misshapen(lines, system.separator)) {
        // Two values too many, and the first a label on every line: row
        // names, perhaps, without a header to tell them.
        refusal->rowNamesLikely = refusal->fault == Fault::FirstLine && refusal->found == refusal->expected + 2
                                  && firstColumn(lines, marks).labels == lines.size();
        return *refusal;
    }
    exchangeMark(lines, marks, system);

    system.n = static_cast<int>(lines.size());
    const bool withRightHandSides = lines[0].cells.size() == lines.size() + 1;
    for (Line& line : lines) {
        if (withRightHandSides) {
            system.rightHandSides.push_back(std::move(line.cells.back()));
            line.cells.pop_back();
        }
        system.coefficients.push_back(std::move(line.cells));
    }
    return system;
}

std::vector<std::u16string> columnNames(int n)
{
    std::vector<std::u16string> names;
    for (int j = 1; j <= n; ++j)
        names.push_back(u"Х" + platform::utf16(std::to_string(j)));
    names.push_back(u"b");
    return names;
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
