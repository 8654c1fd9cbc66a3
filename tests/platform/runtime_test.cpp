// The plain C++ half of the platform: checked arithmetic, the number rules
// against their tables, and the registry steps of the about dialog.

#include <cstring>

#include <gtest/gtest.h>

#include "platform/checked_double.h"
#include "platform/number_rules.h"
#include "platform/pasted_cells.h"
#include "platform/system_information.h"
#include "support/data_file.h"
#include "support/fake_system.h"

using platform::CheckedDouble;

namespace {

int errorNumberOf(auto&& step)
{
    try {
        (void)step();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(CheckedArithmetic, FaultsRaiseTheirErrorsAtOnceAndUnderflowIsSilent)
{
    const CheckedDouble big = 1E308, one = 1.0, zero = 0.0;
    constexpr int overflow = platform::error::Overflow;
    const auto stored = [](CheckedDouble value) { return value; };  // the check a stored result meets
    EXPECT_EQ(errorNumberOf([&] { return stored(big * 10.0); }), overflow);
    EXPECT_EQ(errorNumberOf([&] { return stored(-big - big); }), overflow);
    EXPECT_EQ(errorNumberOf([&] { return big / 1E-10; }), overflow);
    // Infinities and NaNs stay non-finite through + - and *, so the check at
    // the end of a chain raises what a check after each step would; a
    // division takes its operands checked, since x / inf is a quiet 0.
    EXPECT_EQ(errorNumberOf([&] { return stored(big * 10.0 - big * 10.0); }), overflow);
    EXPECT_EQ(errorNumberOf([&] { return stored(big * 10.0 * 0.0); }), overflow);
    EXPECT_EQ(errorNumberOf([&] { return one / (big * 10.0); }), overflow);
    EXPECT_EQ(errorNumberOf([&] { return one / zero; }), platform::error::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { return zero / zero; }), overflow);  // invalid, reported as the runtime does
    EXPECT_EQ(errorNumberOf([&] { return sqrt(-one); }), platform::error::InvalidCall);
    EXPECT_EQ(CheckedDouble(CheckedDouble(1E-308) * 1E-10).value(), 1E-308 * 1E-10);
    EXPECT_EQ(CheckedDouble(CheckedDouble(1E-308) * 1E-100).value(), 0.0);
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;  // -0 is not 0 here
}

TEST(NumberTest, EveryTextOfTheTableUnderRussianAndEnglishSettings)
{
    const auto rows = dataRows("number_texts.tsv");
    ASSERT_GT(rows.size(), 100u);
    const platform::NumberFormat formats[] = {platform::NumberFormat::russian(), platform::NumberFormat::english()};
    for (const DataRow& row : rows) {
        for (int settings = 0; settings < 2; ++settings) {
            const auto parsed = platform::parseNumber(dataText(row.at(1)), formats[settings]);
            const auto expected = dataNumber(row.at(2 + settings));
            const char* under = settings == 0 ? "Russian" : "English";
            EXPECT_EQ(parsed.has_value(), expected.has_value()) << row[0] << ", " << under;
            if (parsed && expected) {
                EXPECT_TRUE(sameBits(*parsed, *expected)) << row[0] << ", " << under << ": " << *parsed;
            }
        }
    }
}

TEST(NumberWriting, EveryValueOfTheTableByBothRules)
{
    for (const DataRow& row : dataRows("number_writing.tsv")) {
        const double value = *dataNumber(row.at(0));
        const auto format = row.at(1) == "ru" ? platform::NumberFormat::russian() : platform::NumberFormat::english();
        if (row.at(2) != "-") {
            EXPECT_EQ(platform::writeGeneral(value, format), dataText(row[2])) << row[0];
        }
        if (row.at(3) == "overflow") {
            EXPECT_EQ(errorNumberOf([&] { return platform::writeDecimal(value, format); }), platform::error::Overflow) << row[0];
        } else if (row[3] != "-") {
            EXPECT_EQ(platform::writeDecimal(value, format), dataText(row[3])) << row[0];
        }
    }
}

TEST(PastedCells, LinesAreRowsTabsOrElseSemicolonsSeparateCellsAndBlanksAreTrimmed)
{
    using Cells = platform::PastedCells;
    EXPECT_EQ(platform::pastedCells(u" 1\t2 \r\n3\t\r\n"), Cells({{u"1", u"2"}, {u"3", u""}}));
    EXPECT_EQ(platform::pastedCells(u"1;2\n3;4"), Cells({{u"1", u"2"}, {u"3", u"4"}}));
    EXPECT_EQ(platform::pastedCells(u"1 234,5;6\t7"), Cells({{u"1 234,5;6", u"7"}}));  // tabs win over semicolons
    EXPECT_EQ(platform::pastedCells(u"\u00A01 234,5\u00A0\n"), Cells({{u"1 234,5"}}));
    EXPECT_EQ(platform::pastedCells(u"1\r2\n\n"), Cells({{u"1"}, {u"2"}, {u""}}));
    EXPECT_EQ(platform::pastedCells(u""), Cells());
}

// The registry steps of the about dialog, over a registry in memory; the
// same steps run against a real Windows registry under Wine (wine_registry_test).
TEST(RegistryLookup, ValuesAreReadByTheirLengthTypeAndNulAndEveryKeyIsClosed)
{
    using platform::registry::Number;
    using platform::registry::String;
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string bytes;
        bool read;
        std::string value;  // what the text becomes, from "kept"
    };
    const Case cases[] = {
        {"a string with its NUL loses the NUL", String, std::string("abc\0", 4), true, "abc"},
        {"a string without a NUL keeps every character", String, "abc", true, "abc"},
        {"1023 characters and the NUL are read whole", String, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {"1024 characters and the NUL do not fit", String, std::string(1024, 'x') + '\0', false, ""},
        {"a number is its signed decimal", Number, std::string("\x78\x56\x34\x12", 4), true, "305419896"},
        {"a negative number", Number, std::string("\xFF\xFF\xFF\xFF", 4), true, "-1"},
        {"another type leaves the text as it was", 3, std::string("\x01\x02", 2), true, "kept"},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        registry.keys["K"]["V"] = {c.type, c.bytes};
        std::string value = "kept";
        EXPECT_EQ(platform::readKeyValue(registry, platform::registry::LocalMachine, "K", "V", value), c.read) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
        EXPECT_EQ(registry.open, 0) << c.name;
        EXPECT_EQ(registry.accesses, std::vector<std::uint32_t>({platform::registry::KeyRead})) << c.name;
    }

    MemoryRegistry registry;
    registry.keys["K"]["empty"] = {String, ""};
    registry.setString("refused", "V", "x");
    registry.refused.insert("refused");
    std::string value = "kept";
    EXPECT_FALSE(platform::readKeyValue(registry, platform::registry::LocalMachine, "K", "absent", value));
    EXPECT_FALSE(platform::readKeyValue(registry, platform::registry::LocalMachine, "absent", "V", value));
    EXPECT_FALSE(platform::readKeyValue(registry, platform::registry::LocalMachine, "refused", "V", value));
    EXPECT_EQ(errorNumberOf([&] { platform::readKeyValue(registry, platform::registry::LocalMachine, "K", "empty", value); }),
              platform::error::InvalidCall);
    EXPECT_EQ(registry.open, 0);
}

TEST(RegistryLookup, TheFirstEntryIsTakenAsReadTheSecondOnlyWhereItsFileExists)
{
    using namespace platform::system_information;
    struct Case {
        const char* name;
        const char* first;   // the tool's path, or nullptr for no entry
        const char* second;  // its folder, or nullptr
        bool fileThere;
        std::optional<std::string> tool;
    };
    const Case cases[] = {
        {"first entry, not tested", "D:\\info.exe", "C:\\Tools", false, "D:\\info.exe"},
        {"second entry with its file", nullptr, "C:\\Tools", true, "C:\\Tools\\MSINFO32.EXE"},
        {"folder ending in a separator", nullptr, "C:\\Tools\\", true, "C:\\Tools\\\\MSINFO32.EXE"},
        {"second entry without its file", nullptr, "C:\\Tools", false, std::nullopt},
        {"no entry", nullptr, nullptr, false, std::nullopt},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        if (c.first)
            registry.setString(ToolPathKey, ToolPathValue, c.first);
        if (c.second)
            registry.setString(ToolFolderKey, ToolFolderValue, c.second);
        std::vector<std::string> tested;
        const auto exists = [&](const std::string& path) {
            tested.push_back(path);
            return c.fileThere;
        };
        EXPECT_EQ(platform::systemInformationTool(registry, exists), c.tool) << c.name;
        EXPECT_EQ(tested.size(), c.first || !c.second ? 0u : 1u) << c.name;
        EXPECT_EQ(registry.opened.size(), c.first ? 1u : 2u) << c.name;
    }
}

}  // namespace
