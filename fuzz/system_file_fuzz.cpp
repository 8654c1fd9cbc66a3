// The reader of a system's file against any bytes, under either settings:
// it never fails but by a refusal; a system it accepts has 2 to 8 equations
// of n coefficients and n right-hand sides or none; and what it accepts,
// written back as the program saves it (with commas, quoted where needed),
// reads back as the same cells.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/system_file_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the settings; the rest is the file.
    const auto settings = data[0] % 2 ? platform::NumberFormat::russian() : platform::NumberFormat::english();
    const auto read = system_file::read(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), settings);
    const auto* system = std::get_if<system_file::System>(&read);
    if (!system)
        return 0;
    const auto n = static_cast<std::size_t>(system->n);
    if (n < 2 || n > 8 || system->coefficients.size() != n
        || (!system->rightHandSides.empty() && system->rightHandSides.size() != n))
        __builtin_trap();
    std::vector<std::vector<std::u16string>> rows;
    for (std::size_t i = 0; i < n; ++i) {
        if (system->coefficients[i].size() != n)
            __builtin_trap();
        rows.push_back(system->coefficients[i]);
        if (!system->rightHandSides.empty())
            rows.back().push_back(system->rightHandSides[i]);
    }
    // A first row of no numbers would read back as a header: not a system
    // the program saves, whose rows hold its numbers.
    const auto noNumber = [&](const std::u16string& cell) { return !platform::parseNumber(cell, settings); };
    if (std::all_of(rows[0].begin(), rows[0].end(), noNumber))
        return 0;
    for (const system_file::Separator separator : {system_file::Separator::Comma, system_file::Separator::Tab}) {
        const auto again = system_file::read(system_file::write(rows, separator, "\n"), settings);
        const auto* back = std::get_if<system_file::System>(&again);
        if (!back || back->coefficients != system->coefficients || back->rightHandSides != system->rightHandSides)
            __builtin_trap();  // a system saved reads back as it was
    }
    return 0;
}
