#include "platform/runtime/number_rules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/runtime/runtime_error.h"

namespace platform {

namespace {

// A nonzero finite value rounded to 15 significant digits: the digits and the
// decimal exponent of the first one.
struct Rounded {
    std::string digits;  // exactly 15
    int exponent = 0;
};

Rounded roundTo15Digits(double magnitude)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // d.ddddddddddddddde±XX
    Rounded rounded;
    rounded.digits.push_back(text[0]);
    rounded.digits.append(text.substr(2, 14));
    rounded.exponent = std::atoi(std::string(text.substr(17)).c_str());
    return rounded;
}

std::string withoutTrailingZeros(std::string digits)
{
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

std::u16string ascii16(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// Integer digits and fraction digits (no trailing zeros) written with the
// separator; the fraction and its separator only where there is one.
std::u16string positional(bool negative, const std::string& intDigits, const std::string& fracDigits,
                          const NumberFormat& format)
{
    std::u16string out;
    if (negative)
        out += u'-';
    out += ascii16(intDigits);
    if (!fracDigits.empty()) {
        out += format.decimalSeparator;
        out += ascii16(fracDigits);
    }
    return out;
}

// Splits 15 rounded digits with the exponent of the first into integer and
// fraction digits; fraction places beyond maxPlaces are not kept.
void splitPositional(const Rounded& r, std::size_t maxPlaces, std::string& intDigits, std::string& fracDigits)
{
    if (r.exponent >= 0) {
        const auto intCount = static_cast<std::size_t>(r.exponent) + 1;
        intDigits = r.digits.substr(0, intCount);
        intDigits.resize(intCount, '0');
        fracDigits = intCount < r.digits.size() ? r.digits.substr(intCount) : std::string();
    } else {
        intDigits.assign(1, '0');
        fracDigits = std::string(static_cast<std::size_t>(-r.exponent - 1), '0') + r.digits;
    }
    if (fracDigits.size() > maxPlaces)
        fracDigits.resize(maxPlaces);
    fracDigits = withoutTrailingZeros(fracDigits);
}

}  // namespace

std::u16string writeGeneral(double value, const NumberFormat& format)
{
    if (value == 0.0 || !std::isfinite(value))
        return u"0";
    const bool negative = value < 0.0;
    const Rounded r = roundTo15Digits(std::fabs(value));

    if (r.exponent >= -4 && r.exponent < 15) {
        std::string intDigits, fracDigits;
        splitPositional(r, std::string::npos, intDigits, fracDigits);
        return positional(negative, intDigits, fracDigits, format);
    }

    std::u16string out = positional(negative, r.digits.substr(0, 1), withoutTrailingZeros(r.digits.substr(1)), format);
    out += r.exponent < 0 ? u"E-" : u"E+";
    const auto exponentDigits = std::to_string(std::abs(r.exponent));
    if (exponentDigits.size() < 2)
        out += u'0';
    out += ascii16(exponentDigits);
    return out;
}

std::u16string writeDecimal(double value, const NumberFormat& format)
{
    constexpr std::size_t maxPlaces = 28;
    // The largest decimal, 79228162514264337593543950335, to 15 digits rounded down.
    constexpr std::string_view largestDigits = "792281625142643";
    constexpr int largestExponent = 28;

    if (value == 0.0)
        return u"0";
    if (!std::isfinite(value))
        raiseOverflow();
    const Rounded r = roundTo15Digits(std::fabs(value));
    if (r.exponent > largestExponent || (r.exponent == largestExponent && r.digits > largestDigits))
        raiseOverflow();

    std::string intDigits, fracDigits;
    splitPositional(r, maxPlaces, intDigits, fracDigits);
    const bool zero = fracDigits.empty() && intDigits.find_first_not_of('0') == std::string::npos;
    return positional(value < 0.0 && !zero, intDigits, fracDigits, format);
}

}  // namespace platform
