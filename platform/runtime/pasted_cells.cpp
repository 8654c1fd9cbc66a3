#include "platform/runtime/pasted_cells.h"

#include "platform/runtime/blanks.h"

namespace platform {

namespace {

// A zero-width no-break space is a byte-order mark left inside a text, by a
// file joined from others or an editor's copy: nothing the user meant.
bool isBlank(char16_t c)
{
    return isSpaceKind(c) || c == u'\uFEFF';
}

}  // namespace

std::u16string trimmedCell(std::u16string_view cell)
{
    while (!cell.empty() && isBlank(cell.front()))
        cell.remove_prefix(1);
    while (!cell.empty() && isBlank(cell.back()))
        cell.remove_suffix(1);
    return std::u16string(cell);
}

PastedCells pastedCells(std::u16string_view text)
{
    const char16_t separator = text.find(u'\t') != std::u16string_view::npos ? u'\t' : u';';
    PastedCells rows;
    while (!text.empty()) {
        const auto end = text.find_first_of(u"\r\n");
        const std::u16string_view line = text.substr(0, end);
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end);
        // One line break: \r\n, \n or \r.
        if (text.starts_with(u"\r\n"))
            text.remove_prefix(2);
        else if (!text.empty())
            text.remove_prefix(1);

        std::vector<std::u16string> row;
        for (std::size_t start = 0;;) {
            const auto next = line.find(separator, start);
            row.push_back(trimmedCell(line.substr(start, next == std::u16string_view::npos ? line.npos : next - start)));
            if (next == std::u16string_view::npos)
                break;
            start = next + 1;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::size_t cellCount(const PastedCells& cells)
{
    std::size_t count = 0;
    for (const auto& row : cells)
        count += row.size();
    return count;
}

}  // namespace platform
