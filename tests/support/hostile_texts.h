#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

// Texts a user may type or paste into a number box, with what the number
// test must make of each under Russian settings (decimal comma, no-break
// space between groups) and under English ones (decimal point, comma between
// groups): the exact double, or nothing for a refusal.
struct HostileText {
    std::string name;
    std::u16string text;
    std::optional<double> russian;
    std::optional<double> english;
};

inline const std::vector<HostileText>& hostileTexts()
{
    using std::nullopt;
    constexpr double max = std::numeric_limits<double>::max();
    constexpr double minDenormal = std::numeric_limits<double>::denorm_min();
    static const std::vector<HostileText> table = {
        // Blanks
        {"empty", u"", nullopt, nullopt},
        {"blanks only", u"   ", nullopt, nullopt},
        {"a tab", u"\t", nullopt, nullopt},
        {"tabs and blanks", u"\t \t", nullopt, nullopt},
        {"a no-break space", u"\u00A0", nullopt, nullopt},
        {"tabs around", u"\t7\t", 7.0, 7.0},
        {"blanks around a sign", u"  -2  ", -2.0, -2.0},
        {"no-break space before", u"\u00A05", 5.0, 5.0},
        {"no-break space after", u"5\u00A0", 5.0, 5.0},
        {"no-break spaces around", u"\u00A0-5\u00A0", -5.0, -5.0},
        {"narrow no-break space around", u"\u202F8\u202F", 8.0, 8.0},
        // Digit groups
        {"no-break space between groups", u"1\u00A0234", 1234.0, nullopt},
        {"space between groups", u"1 234", 1234.0, nullopt},
        {"narrow no-break space between groups", u"1\u202F234", 1234.0, nullopt},
        {"three groups", u"1\u00A0234\u00A0567", 1234567.0, nullopt},
        {"groups and a fraction", u"1 234 567,89", 1234567.89, nullopt},
        {"English groups and a fraction", u"1,234,567.89", nullopt, 1234567.89},
        {"English groups", u"1,234", 1.234, 1234.0},
        {"group of two", u"12\u00A034", nullopt, nullopt},
        {"first group of four", u"1234 567", nullopt, nullopt},
        {"two separators in a row", u"1\u00A0\u00A0234", nullopt, nullopt},
        {"group after the separator", u"1,234 5", nullopt, nullopt},
        {"underscore", u"1_000", nullopt, nullopt},
        {"apostrophe", u"1'000", nullopt, nullopt},
        // Decimal separators
        {"1,2,3", u"1,2,3", nullopt, nullopt},
        {"1.2.3", u"1.2.3", nullopt, nullopt},
        {"trailing comma", u"1,", 1.0, nullopt},
        {"leading comma", u",5", 0.5, nullopt},
        {"trailing point", u"5.", nullopt, 5.0},
        {"leading point", u".5", nullopt, 0.5},
        {"comma fraction", u"1,5", 1.5, nullopt},
        {"point fraction", u"1.5", nullopt, 1.5},
        {"lone comma", u",", nullopt, nullopt},
        {"lone point", u".", nullopt, nullopt},
        {"comma then point", u"1,234.5", nullopt, 1234.5},
        {"point then comma", u"1.234,5", nullopt, nullopt},
        {"Arabic decimal separator", u"1\u066B5", nullopt, nullopt},
        {"zero comma zero", u"0,0", 0.0, nullopt},
        {"zero point zero", u"0.0", nullopt, 0.0},
        {"many zeros", u"0," + std::u16string(1000, u'0'), 0.0, nullopt},
        // Signs
        {"--1", u"--1", nullopt, nullopt},
        {"+-1", u"+-1", nullopt, nullopt},
        {"-+1", u"-+1", nullopt, nullopt},
        {"plus", u"+1", 1.0, 1.0},
        {"minus", u"-1", -1.0, -1.0},
        {"sign apart", u"- 1", nullopt, nullopt},
        {"lone minus", u"-", nullopt, nullopt},
        {"lone plus", u"+", nullopt, nullopt},
        {"lone minus sign U+2212", u"\u2212", nullopt, nullopt},
        {"minus sign U+2212", u"\u22125", nullopt, nullopt},
        {"en dash", u"\u20135", nullopt, nullopt},
        {"trailing minus", u"5-", nullopt, nullopt},
        {"trailing plus", u"5+", nullopt, nullopt},
        {"parentheses", u"(5)", nullopt, nullopt},
        {"minus zero", u"-0", -0.0, -0.0},
        // Exponents
        {"1e", u"1e", nullopt, nullopt},
        {"1E+", u"1E+", nullopt, nullopt},
        {"1E-", u"1E-", nullopt, nullopt},
        {"E5", u"E5", nullopt, nullopt},
        {"e alone", u"e", nullopt, nullopt},
        {"1E3", u"1E3", 1000.0, 1000.0},
        {"1e3", u"1e3", 1000.0, 1000.0},
        {"1E+05", u"1E+05", 1E5, 1E5},
        {"1E-5", u"1E-5", 1E-5, 1E-5},
        {"separator before exponent", u"1,E5", 1E5, nullopt},
        {"fraction and exponent with blanks", u"\t-1,5E+2\t", -150.0, nullopt},
        {"small with sign", u" +0,5e-1 ", 0.05, nullopt},
        {"blank inside the exponent", u"1,5 E3", nullopt, nullopt},
        {"fractional exponent", u"1E5,5", nullopt, nullopt},
        {"fractional exponent, point", u"1E5.5", nullopt, nullopt},
        {"D exponent", u"1D3", nullopt, nullopt},
        // The range of a double
        {"1E999", u"1E999", nullopt, nullopt},
        {"-1E999", u"-1E999", nullopt, nullopt},
        {"1E-999", u"1E-999", 0.0, 0.0},
        {"-1E-999", u"-1E-999", -0.0, -0.0},
        {"huge exponent", u"1E99999999999999999999", nullopt, nullopt},
        {"tiny exponent", u"1E-99999999999999999999", 0.0, 0.0},
        {"4.9E-324", u"4.9E-324", nullopt, minDenormal},
        {"4,9E-324", u"4,9E-324", minDenormal, nullopt},
        {"2,5E-324 rounds up to the least denormal", u"2,5E-324", minDenormal, nullopt},
        {"1E-320", u"1E-320", 9.99988671826831E-321, 9.99988671826831E-321},
        {"1.7976931348623157E308", u"1.7976931348623157E308", nullopt, max},
        {"1,7976931348623157E308", u"1,7976931348623157E308", max, nullopt},
        {"just beyond the largest", u"1,7976931348623159E308", nullopt, nullopt},
        {"1 and 308 zeros", u"1" + std::u16string(308, u'0'), 1E308, 1E308},
        {"1 and 309 zeros", u"1" + std::u16string(309, u'0'), nullopt, nullopt},
        {"100,000 digits", std::u16string(100000, u'1'), nullopt, nullopt},
        {"30 digits", u"123456789012345678901234567890", 1.2345678901234568E29, 1.2345678901234568E29},
        {"2^53 + 1 ties to even", u"9007199254740993", 9007199254740992.0, 9007199254740992.0},
        {"one tenth", u"0,1", 0.1, nullopt},
        {"leading zeros", u"000123", 123.0, 123.0},
        // Words and literals of other notations
        {"nan", u"nan", nullopt, nullopt},
        {"NaN", u"NaN", nullopt, nullopt},
        {"inf", u"inf", nullopt, nullopt},
        {"-inf", u"-inf", nullopt, nullopt},
        {"Infinity", u"Infinity", nullopt, nullopt},
        {"0x10", u"0x10", nullopt, nullopt},
        {"0X1A", u"0X1A", nullopt, nullopt},
        {"&H10", u"&H10", nullopt, nullopt},
        {"&O17", u"&O17", nullopt, nullopt},
        {"0b101", u"0b101", nullopt, nullopt},
        {"dollar", u"$5", nullopt, nullopt},
        {"roubles", u"5 руб.", nullopt, nullopt},
        {"percent", u"5%", nullopt, nullopt},
        {"Cyrillic Kha", u"Х1", nullopt, nullopt},
        // Other digits
        {"Arabic-Indic digit", u"\u0665", nullopt, nullopt},
        {"Arabic-Indic number", u"\u0661\u0662", nullopt, nullopt},
        {"Arabic-Indic thousands", u"\u0661\u066C\u0660\u0660\u0660", nullopt, nullopt},
        {"Persian digit", u"\u06F5", nullopt, nullopt},
        {"full-width digit", u"\uFF15", nullopt, nullopt},
        {"full-width number", u"\uFF11\uFF12\uFF13", nullopt, nullopt},
        {"full-width with comma", u"\uFF15,\uFF15", nullopt, nullopt},
        {"Devanagari digit", u"\u096B", nullopt, nullopt},
        {"superscript two", u"\u00B2", nullopt, nullopt},
        // Characters that do not show
        {"NUL between digits", std::u16string(u"5\0" u"5", 3), nullopt, nullopt},
        {"NUL alone", std::u16string(1, u'\0'), nullopt, nullopt},
        {"NUL after", std::u16string(u"5\0", 2), nullopt, nullopt},
        {"lone high surrogate", std::u16string(1, char16_t(0xD800)), nullopt, nullopt},
        {"lone low surrogate after a digit", u"5" + std::u16string(1, char16_t(0xDC00)), nullopt, nullopt},
        {"lone surrogate before a digit", std::u16string(1, char16_t(0xD800)) + u"5", nullopt, nullopt},
        {"right-to-left mark before", u"\u200F5", nullopt, nullopt},
        {"right-to-left mark after", u"5\u200F", nullopt, nullopt},
        {"left-to-right mark before a sign", u"\u200E-5", nullopt, nullopt},
        {"right-to-left embedding", u"\u202B5\u202C", nullopt, nullopt},
        {"zero-width space", u"5\u200B", nullopt, nullopt},
        {"byte order mark", u"\uFEFF5", nullopt, nullopt},
        {"line break", u"5\n", nullopt, nullopt},
    };
    return table;
}
