#include "solver/peremennye.h"

#include <cmath>

#include "platform/runtime/number_rules.h"

Peremennye& peremennye()
{
    static Peremennye state;
    return state;
}

std::uint8_t unknownCount(const std::u16string& kol_neizv)
{
    const auto number = platform::parseNumber(kol_neizv, platform::NumberFormat{});
    if (!number)
        platform::raiseTypeMismatch();
    const double rounded = std::nearbyint(*number);
    if (rounded < 0.0 || rounded > 255.0)
        platform::raiseOverflow();
    return static_cast<std::uint8_t>(rounded);
}

std::uint8_t unknownCount()
{
    return unknownCount(peremennye().kol_neizv);
}
