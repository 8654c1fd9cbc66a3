#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The cells of a text pasted from a spreadsheet, a document or a web page.
// Rows are the text's lines (a final line break, as spreadsheets add, makes
// no extra row); cells are separated by tabs, or, in a text without tabs, by
// semicolons. Each cell is trimmed of the blanks around it (spaces, no-break
// spaces, a stray byte-order mark); blanks separate
// nothing, since under Russian settings "1 234,5" is one number. Nothing is
// converted: the cells stay texts.
using PastedCells = std::vector<std::vector<std::u16string>>;
PastedCells pastedCells(std::u16string_view text);

// A cell without the blanks around it, as a paste trims it.
std::u16string trimmedCell(std::u16string_view cell);

// How many cells the rows hold in all.
std::size_t cellCount(const PastedCells& cells);

}  // namespace platform
