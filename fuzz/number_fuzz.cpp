// The number test and conversion, and the general rule, against any input.
//
// Byte 0 picks the settings (Russian or English); the rest are UTF-16 code
// units of a typed text, lone surrogates and all. Bytes 1..8 are also read as
// a double for the round trips of the general and the decimal rule.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/runtime/number_rules.h"
#include "platform/runtime/runtime_error.h"

namespace {

// The double rounded to 15 significant digits, or nothing where that lies
// beyond the range of a double (1.7976931348623157E308 rounds up so).
bool roundedTo15Digits(double value, double& rounded)
{
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const auto read = std::from_chars(buffer, written.ptr, rounded);
    return read.ec == std::errc();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const platform::NumberFormat format =
        (data[0] & 1) ? platform::NumberFormat::russian() : platform::NumberFormat::english();

    std::u16string text((size - 1) / 2, u'\0');
    std::memcpy(text.data(), data + 1, text.size() * 2);
    if (const auto number = platform::parseNumber(text, format); number && !std::isfinite(*number))
        __builtin_trap();  // an accepted text must give a finite double

    if (size >= 9) {
        double value = 0, rounded = 0;
        std::memcpy(&value, data + 1, sizeof value);
        const bool shown = std::isfinite(value) && roundedTo15Digits(value, rounded);
        if (shown) {
            const auto back = platform::parseNumber(platform::writeGeneral(value, format), format);
            if (!back || *back != rounded)
                __builtin_trap();  // what the program shows must read back as what it means
        }
        // The decimal rule: within the decimal range (to 15 digits) a text that
        // reads back as the value to 15 digits or to its 28th place; beyond it,
        // the overflow error and nothing else.
        const bool inRange = shown && std::fabs(rounded) <= 7.92281625142643e28;
        try {
            const auto back = platform::parseNumber(platform::writeDecimal(value, format), format);
            if (!inRange || !back || std::fabs(*back - value) > std::max(std::fabs(value) * 1e-14, 1e-28))
                __builtin_trap();
        } catch (const platform::RuntimeError&) {
            if (inRange)
                __builtin_trap();
        }
    }
    return 0;
}
