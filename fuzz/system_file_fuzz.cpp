// The reader of a system's file against any bytes: it never fails but by a
// refusal; a system it accepts has 2 to 8 equations of n coefficients and n
// right-hand sides or none; and what it accepts, written back as the program
// saves it, reads back as the same cells.

#include <cstdint>
#include <string_view>

#include "common/system_file_format.h"

namespace {

// A cell that holds a separator of cells or lines cannot be written back alone.
bool separates(const std::u16string& cell)
{
    return cell.find_first_of(u";\t\r\n") != std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = system_file::read(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* system = std::get_if<system_file::System>(&read);
    if (!system)
        return 0;
    const auto n = static_cast<std::size_t>(system->n);
    if (n < 2 || n > 8 || system->coefficients.size() != n
        || (!system->rightHandSides.empty() && system->rightHandSides.size() != n))
        __builtin_trap();
    std::vector<std::vector<std::u16string>> rows;
    bool writable = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (system->coefficients[i].size() != n)
            __builtin_trap();
        rows.push_back(system->coefficients[i]);
        if (!system->rightHandSides.empty())
            rows.back().push_back(system->rightHandSides[i]);
        for (const auto& cell : rows.back())
            writable = writable && !separates(cell);
    }
    if (!writable)
        return 0;
    const auto again = system_file::read(system_file::write(rows, "\n"));
    const auto* back = std::get_if<system_file::System>(&again);
    if (!back || back->coefficients != system->coefficients || back->rightHandSides != system->rightHandSides)
        __builtin_trap();  // a system saved reads back as it was
    return 0;
}
