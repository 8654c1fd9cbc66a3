// The reader of a system's file against any bytes, under either settings:
// it never fails but by a refusal; a system it accepts has 2 to 8 equations
// of n coefficients and n right-hand sides or none; and what it accepts,
// written back as the program saves it (the columns' names, then the rows
// with commas, quoted where needed),
// reads back as the same cells: also with a column of row names before it,
// as R writes them, which is left out; while a column of numbers that are
// not the rows' numbers, under the same header, is never left out.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "documents/system_file_format.h"

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
    // Saved as the program saves it: the columns' names over the rows, so that
    // a first row such as 0, 1, 2, 3 is not taken for pandas' line of the
    // columns' numbers.
    std::vector<std::vector<std::u16string>> saved = {system_file::columnNames(int(n))};
    if (system->rightHandSides.empty())
        saved[0].pop_back();
    saved.insert(saved.end(), rows.begin(), rows.end());
    for (const system_file::Separator separator : {system_file::Separator::Comma, system_file::Separator::Tab}) {
        const auto again = system_file::read(system_file::write(saved, separator, "\n"), settings);
        const auto* back = std::get_if<system_file::System>(&again);
        if (!back || back->coefficients != system->coefficients || back->rightHandSides != system->rightHandSides)
            __builtin_trap();  // a system saved reads back as it was
    }
    // As R and pandas write a table: a header with an empty first cell, and each row's number before it.
    const auto withFirstColumn = [&](auto cell) {
        std::vector<std::vector<std::u16string>> named = {{u""}};
        for (std::size_t k = 0; k < rows[0].size(); ++k)
            named[0].push_back(u"V" + std::u16string(1, char16_t(u'1' + k)));
        for (std::size_t i = 0; i < n; ++i) {
            named.push_back({cell(i)});
            named.back().insert(named.back().end(), rows[i].begin(), rows[i].end());
        }
        return system_file::read(system_file::write(named, system_file::Separator::Comma, "\n"), settings);
    };
    const auto named = withFirstColumn([](std::size_t i) { return std::u16string(1, char16_t(u'1' + i)); });
    const auto* back = std::get_if<system_file::System>(&named);
    if (!back || back->coefficients != system->coefficients || back->rightHandSides != system->rightHandSides
        || back->rowNames.size() != n)
        __builtin_trap();
    const auto numbered = withFirstColumn([](std::size_t) { return std::u16string(u"-7"); });
    if (const auto* kept = std::get_if<system_file::System>(&numbered); kept && kept->coefficients[0][0] != u"-7")
        __builtin_trap();
    return 0;
}
