#include "platform/runtime/number_rules.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/runtime/blanks.h"

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

namespace {

// A locale-independent, correctly rounded conversion of the normalised
// text: the double, zero where it is too small for one, nothing beyond the
// double range.
std::optional<double> converted(int sign, const std::string& intDigits, const std::string& fracDigits, int expSign,
                                const std::string& expDigits)
{
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
    return converted(sign, intDigits, fracDigits, expSign, expDigits);
}


}  // namespace platform
