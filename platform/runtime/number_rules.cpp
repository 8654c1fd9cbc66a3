#include "platform/runtime/number_rules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/runtime/runtime_error.h"

namespace platform {

NumberFormat NumberFormat::russian()
{
    return NumberFormat{u",", u"\u00A0", u"-", u"+"};
}

NumberFormat NumberFormat::english()
{
    return NumberFormat{u".", u",", u"-", u"+"};
}

namespace {

bool isSpaceKind(char16_t c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

bool isBlank(char16_t c)
{
    return isSpaceKind(c) || c == u'\t';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks a text once, left to right.
class Scanner {
public:
    explicit Scanner(std::u16string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : text_[pos_]; }
    bool peekDigitAt(std::size_t offset) const
    {
        return pos_ + offset < text_.size() && isDigit(text_[pos_ + offset]);
    }
    void advance(std::size_t count = 1) { pos_ += count; }

    bool take(std::u16string_view token)
    {
        if (token.empty() || text_.substr(pos_, token.size()) != token)
            return false;
        pos_ += token.size();
        return true;
    }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++pos_;
    }

    // Length of a group separator at the current place, or 0.
    std::size_t groupSeparatorLength(const NumberFormat& format, bool spaceKindGroups) const
    {
        if (spaceKindGroups && !atEnd() && isSpaceKind(peek()))
            return 1;
        const auto& group = format.groupSeparator;
        if (!group.empty() && text_.substr(pos_, group.size()) == group)
            return group.size();
        return 0;
    }

    // Appends the digits here to out; gives how many there were.
    std::size_t takeDigits(std::string& out)
    {
        std::size_t count = 0;
        while (!atEnd() && isDigit(peek())) {
            out.push_back(static_cast<char>(peek()));
            ++pos_;
            ++count;
        }
        return count;
    }

private:
    std::u16string_view text_;
    std::size_t pos_ = 0;
};

// A sign at the scanner's place, ASCII or the locale's: -1, +1, or 0 for none.
int takeSign(Scanner& scan, const NumberFormat& format)
{
    if (scan.take(format.negativeSign) || scan.take(u"-"))
        return -1;
    if (scan.take(format.positiveSign) || scan.take(u"+"))
        return 1;
    return 0;
}

bool isSpaceKindSeparator(std::u16string_view separator)
{
    return separator.size() == 1 && isSpaceKind(separator[0]);
}

// Digit groups must read as thousands: the first of one to three digits, the
// others of exactly three. So "1,5" typed under English settings is refused
// instead of being taken silently as 15.
bool wellGrouped(const std::vector<std::size_t>& groups)
{
    if (groups.size() < 2)
        return true;
    if (groups.front() > 3)
        return false;
    for (std::size_t k = 1; k < groups.size(); ++k) {
        if (groups[k] != 3)
            return false;
    }
    return true;
}

// The decimal exponent of the leading digit of intDigits.fracDigits E exponent,
// for a mantissa that is not zero; saturated far beyond the double range.
long long leadingMagnitude(const std::string& intDigits, const std::string& fracDigits, long long exponent)
{
    const auto firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string::npos)
        return static_cast<long long>(intDigits.size() - firstInt) - 1 + exponent;
    const auto firstFrac = fracDigits.find_first_not_of('0');
    return -static_cast<long long>(firstFrac) - 1 + exponent;
}

}  // namespace

std::optional<double> parseNumber(std::u16string_view text, const NumberFormat& format)
{
    Scanner scan(text);
    scan.skipBlanks();
    const int sign = takeSign(scan, format);

    std::string intDigits;
    std::vector<std::size_t> groups;
    const bool spaceKindGroups = isSpaceKindSeparator(format.groupSeparator);
    if (const auto first = scan.takeDigits(intDigits); first > 0) {
        groups.push_back(first);
        for (;;) {
            const auto length = scan.groupSeparatorLength(format, spaceKindGroups);
            if (length == 0 || !scan.peekDigitAt(length))
                break;
            scan.advance(length);
            groups.push_back(scan.takeDigits(intDigits));
        }
    }
    if (!wellGrouped(groups))
        return std::nullopt;

    std::string fracDigits;
    if (scan.take(format.decimalSeparator))
        scan.takeDigits(fracDigits);
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;

    std::string expDigits;
    int expSign = 1;
    if (scan.peek() == u'E' || scan.peek() == u'e') {
        scan.advance();
        expSign = takeSign(scan, format) < 0 ? -1 : 1;
        if (scan.takeDigits(expDigits) == 0)
            return std::nullopt;
    }
    scan.skipBlanks();
    if (!scan.atEnd())
        return std::nullopt;

    // A locale-independent, correctly rounded conversion of the normalised text.
    std::string ascii;
    ascii.reserve(intDigits.size() + fracDigits.size() + expDigits.size() + 4);
    if (sign < 0)
        ascii.push_back('-');
    ascii += intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty()) {
        ascii.push_back('.');
        ascii += fracDigits;
    }
    if (!expDigits.empty()) {
        ascii.push_back('e');
        if (expSign < 0)
            ascii.push_back('-');
        ascii += expDigits;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc() && end == ascii.data() + ascii.size())
        return value;
    if (ec != std::errc::result_out_of_range)
        return std::nullopt;

    long long exponent = 0;
    for (const char digit : expDigits)
        exponent = std::min(exponent * 10 + (digit - '0'), 1'000'000'000LL);
    if (leadingMagnitude(intDigits, fracDigits, expSign * exponent) >= 0)
        return std::nullopt;  // beyond the double range
    return sign < 0 ? -0.0 : 0.0;
}

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
