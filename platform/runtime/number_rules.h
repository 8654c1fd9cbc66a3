#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The separators and signs of the user's regional settings that the number
// rules use. Texts are UTF-16, as the text boxes hold them.
struct NumberFormat {
    std::u16string decimalSeparator = u".";
    std::u16string groupSeparator = u",";
    std::u16string negativeSign = u"-";
    std::u16string positiveSign = u"+";

    static NumberFormat russian();  // decimal comma, no-break space between groups
    static NumberFormat english();  // decimal point, comma between groups
};

// The number test and conversion of a typed text. A number is: blanks, an
// optional sign, digits with at most one decimal separator (digit groups of
// three, separated by the group separator, only before it), an optional
// exponent (E or e, an optional sign, digits), blanks. Where the group
// separator is a kind of space, an ordinary space between digits counts as
// one too. Only ASCII digits count.
//
// Gives the nearest double, or nothing when the text is not a number. A text
// of number form beyond the double range (1E999) is not a number either; one
// too small for a double (1E-999) is zero, as the conversion to the nearest
// double gives it.
std::optional<double> parseNumber(std::u16string_view text, const NumberFormat& format);

// The general rule, for the unknowns: 15 significant digits; positional from
// 1E-04 up to below 1E+15, otherwise a mantissa, "E", a sign and at least two
// exponent digits; trailing zeros dropped; zero is "0".
std::u16string writeGeneral(double value, const NumberFormat& format);

// The decimal rule, for the error figure: 15 significant digits held as a
// decimal number with at most 28 places after the separator, always
// positional. A value beyond the decimal range (about 7.9E+28) raises the
// overflow error.
std::u16string writeDecimal(double value, const NumberFormat& format);

}  // namespace platform
