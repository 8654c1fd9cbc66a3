#include "course/spoken_words.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'я') || c == u'Ё' || c == u'ё';
}

// The digits from `at` on, and where they end.
std::u16string_view digitsAt(std::u16string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return text.substr(at, end - at);
}

// "(2,3)" or "(3)" at `at`: the one or two indices inside, and the length.
bool indicesAt(std::u16string_view text, std::size_t at, std::u16string& first, std::u16string& second,
               std::size_t& length)
{
    if (at >= text.size() || text[at] != u'(')
        return false;
    const auto i = digitsAt(text, at + 1);
    if (i.empty())
        return false;
    std::size_t k = at + 1 + i.size();
    first = std::u16string(i);
    second.clear();
    if (k < text.size() && text[k] == u',') {
        const auto j = digitsAt(text, k + 1);
        if (j.empty())
            return false;
        second = std::u16string(j);
        k += 1 + j.size();
    }
    if (k >= text.size() || text[k] != u')')
        return false;
    length = k + 1 - at;
    return true;
}

// A number's exponent at `at` ("E-07"): said as a power of ten.
bool exponentAt(std::u16string_view text, std::size_t at, std::u16string& said, std::size_t& length)
{
    if (at == 0 || at + 1 >= text.size() || text[at] != u'E' || !isDigit(text[at - 1]))
        return false;
    std::size_t k = at + 1;
    const bool negative = text[k] == u'-';
    if (text[k] == u'-' || text[k] == u'+')
        ++k;
    auto digits = digitsAt(text, k);
    if (digits.empty())
        return false;
    length = k + digits.size() - at;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove_prefix(1);
    said = u" на 10 в степени " + std::u16string(negative ? u"минус " : u"") + std::u16string(digits);
    return true;
}

// Signs said as words; longer ones first.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 15> Signs = {{
    {u" ≥ ", u" не меньше "},
    {u" ≤ ", u" не больше "},
    {u" < ", u" меньше "},
    {u" > ", u" больше "},
    {u" := ", u" становится равным "},
    {u" → ", u" становится "},
    {u"·", u" умножить на "},
    {u"±", u"плюс-минус "},
    {u"√", u"корень из "},
    {u"²", u" в квадрате"},
    {u"/", u" делить на "},
    {u"−", u" минус "},
    {u"φ", u"фи"},
    {u"ε", u"эпсилон"},
    {u"°", u" градуса"},
}};

}  // namespace

std::u16string spokenText(std::u16string_view shown)
{
    std::u16string said;
    bool modulus = false;  // inside |...|
    for (std::size_t k = 0; k < shown.size();) {
        std::u16string first, second, power;
        std::size_t length = 0;
        const char16_t before = k > 0 ? shown[k - 1] : u' ';
        if (indicesAt(shown, k, first, second, length)) {
            if (isLetter(before) && !second.empty())
                said += u" строка " + first + u", столбец " + second;
            else if (isLetter(before))
                said += u" " + first;
            else if (!second.empty())
                said += u"столбцов " + first + u" и " + second;
            else
                said += first;
            k += length;
        } else if (exponentAt(shown, k, power, length)) {
            said += power;
            k += length;
        } else if (shown[k] == u'-' && k + 1 < shown.size() && isDigit(shown[k + 1])) {
            said += u"минус ";
            ++k;
        } else if (shown[k] == u'|') {
            said += modulus ? u"" : u"модуль ";
            modulus = !modulus;
            ++k;
        } else {
            const auto sign = std::find_if(Signs.begin(), Signs.end(),
                                           [&](const auto& pair) { return shown.substr(k).starts_with(pair.first); });
            if (sign != Signs.end()) {
                said += sign->second;
                k += sign->first.size();
            } else {
                said += shown[k++];
            }
        }
    }
    // The words put in may leave blanks doubled.
    std::u16string single;
    for (const char16_t c : said) {
        if (!(c == u' ' && !single.empty() && single.back() == u' '))
            single += c;
    }
    return single;
}
