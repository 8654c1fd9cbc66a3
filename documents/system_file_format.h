#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/runtime/number_rules.h"

// The file of a system of equations: text, one equation per line, its n
// coefficients and then its right-hand side (or the coefficients only, the
// right-hand sides left to be typed); n is the number of lines, 2 to 8. It
// is read as spreadsheets and numeric tools write it: a first line "sep=;"
// names the separator; a first line of column names (or of the columns'
// numbers, as pandas writes them) is skipped; a first column of row names
// (R, pandas) is left out; lines of separators only before and after the
// system, and an empty cell at the start or the end of every line, are
// ignored. The cells stay texts: the entry windows check them as if they
// were typed.
namespace system_file {

// The largest file read: far more than any system of eight equations needs.
inline constexpr std::size_t MaxBytes = 1024 * 1024;

// What separates the cells of a line. The reader takes, outside quotes, a
// tab if the text has one; else a semicolon; else a comma; else runs of
// blanks (numpy's default). A cell in double quotes is unquoted ("" inside
// is one quote), and a separator or line break inside the quotes is part of
// it, whatever the separator (RFC 4180).
enum class Separator { Tab, Semicolon, Comma, Blanks };

struct System {
    int n = 0;
    std::vector<std::vector<std::u16string>> coefficients;  // n rows of n
    std::vector<std::u16string> rightHandSides;              // n, or none
    Separator separator = Separator::Tab;
    std::vector<std::u16string> header;    // the cells of a first line that named the columns, skipped
    std::vector<std::u16string> rowNames;  // the cells of a first column of row names, left out
    bool windows1251 = false;              // the text was read in the Russian Windows code page
    // The decimal mark the file's numbers were written with, where it is
    // not the settings' and was exchanged for theirs; empty otherwise.
    std::u16string convertedMark;
    // Cells with a digit and that mark that do not read even with it (digit
    // groups written into them): kept as written.
    std::vector<std::u16string> keptAsWritten;
};

// Why a file is refused.
enum class Fault {
    TooLarge,          // more than MaxBytes
    Binary,            // a NUL or another control character
    Encoding,          // UTF-8 with its mark, or UTF-16, that is not
    Utf16WithoutMark,  // UTF-16 without a byte-order mark, and more than digits and separators in it
    TooFewLines,       // fewer than 2 lines: found
    TooManyLines,      // more than 8 lines: found
    FirstLine,         // the first line, `line`, holds found values, neither expected (n) nor expected + 1
    LineLength,        // line `line` holds found values, not expected as the first line does
    EmptyLine,         // line `line` holds no value, and lines of the system follow it
    UnclosedQuote,     // the quote opened on line `line` is never closed
    RowNames,          // the header says the first column names the rows, but on line `line` it
                       // holds a number that is not the row's, or nothing (in `cells`)
};

struct Refusal {
    Fault fault = Fault::Binary;
    int line = 0;
    std::size_t found = 0;
    std::size_t expected = 0;
    Separator separator = Separator::Tab;
    std::vector<std::u16string> cells;  // the line's first cells as read (FirstLine, LineLength)
    bool rowNamesLikely = false;        // FirstLine: two values too many, and the first a label on every line
};

// How many of a line's cells a refusal shows.
inline constexpr std::size_t CellsShown = 4;

// Bytes in, the system or why it is refused out. The encodings read: UTF-8
// with or without a byte-order mark; UTF-16 with a mark, either byte order;
// UTF-16 without one where every other byte is zero; and Windows-1251 where
// a text without a mark is not UTF-8 (a Russian spreadsheet's CSV).
//
// A first column of row names is told by the header: an empty cell above it,
// or a header one cell shorter than the lines. It is left out where every
// one of its cells is a label: a text that is no number, a cell in quotes in
// a file that does not quote its numbers, or the row's number counted from 0
// or from 1. A column of numbers that are not the rows' numbers is kept;
// labels mixed with such numbers are refused (RowNames), never read shifted.
//
// The file's decimal mark is decided for the whole file: where some number
// cell reads only with the other mark (a point under settings with a decimal
// comma, a comma under settings with a decimal point) and every number cell
// reads with it, every such cell has that one character exchanged for the
// settings' decimal separator, and nothing else changes. Otherwise the cells
// stay as written.
std::variant<System, Refusal> read(std::string_view bytes, const platform::NumberFormat& settings);

// The names of the columns over a saved system: Х1 … Хn, then b.
std::vector<std::u16string> columnNames(int n);

// A system as a file is saved: UTF-8 without a mark, cells separated by the
// separator given (not Blanks), a cell in double quotes where it holds a
// character that would otherwise separate, each line ended by lineEnd. Rows
// as given: n coefficients and, where there are some, the right-hand side.
std::string write(const std::vector<std::vector<std::u16string>>& rows, Separator separator,
                  std::string_view lineEnd);

}  // namespace system_file
