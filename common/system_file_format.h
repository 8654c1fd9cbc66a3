#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The file of a system of equations: text, one equation per line, its n
// coefficients and then its right-hand side (or the coefficients only, the
// right-hand sides left to be typed). Cells are separated by tabs, or, in a
// text without tabs, by semicolons, as in a paste; blanks around a cell are
// trimmed, empty lines at the end ignored. n is the number of lines, 2 to 8.
// The cells stay texts: the entry windows check them as if they were typed.
namespace system_file {

// The largest file read: far more than any system of eight equations needs.
inline constexpr std::size_t MaxBytes = 1024 * 1024;

struct System {
    int n = 0;
    std::vector<std::vector<std::u16string>> coefficients;  // n rows of n
    std::vector<std::u16string> rightHandSides;              // n, or none
};

// Why a file is refused.
enum class Fault {
    TooLarge,      // more than MaxBytes
    Binary,        // a NUL or another control character
    Encoding,      // neither UTF-8 (with or without its mark) nor UTF-16 with its mark
    TooFewLines,   // fewer than 2 lines: found
    TooManyLines,  // more than 8 lines: found
    FirstLine,     // line 1 holds found values, neither expected (n) nor expected + 1
    LineLength,    // line `line` holds found values, not expected as the first line does
};

struct Refusal {
    Fault fault;
    int line = 0;
    std::size_t found = 0;
    std::size_t expected = 0;
};

// Bytes in, the system or why it is refused out. The encodings read: UTF-8
// with or without a byte-order mark, UTF-16 (either byte order) with a mark.
std::variant<System, Refusal> read(std::string_view bytes);

// A system as a file is saved: UTF-8 without a mark, cells separated by ";",
// each line ended by lineEnd. Rows as given: n coefficients and, where there
// are some, the right-hand side.
std::string write(const std::vector<std::vector<std::u16string>>& rows, std::string_view lineEnd);

}  // namespace system_file
