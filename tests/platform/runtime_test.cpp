// The plain C++ half of the platform: checked arithmetic, the number rules
// against their tables, and the cells of a paste. The registry steps of the
// about dialog run against a real registry: wine_registry_test.

#include <cstring>

#include <gtest/gtest.h>

#include "platform/runtime/checked_double.h"
#include "platform/runtime/number_rules.h"
#include "platform/runtime/pasted_cells.h"
#include "support/data_file.h"

using platform::CheckedDouble;

namespace {

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

class NumberText : public testing::TestWithParam<DataRow> {};

TEST_P(NumberText, IsWhatTheTableGivesUnderRussianAndEnglishSettings)
{
    const DataRow& row = GetParam();
    const platform::NumberFormat formats[] = {platform::NumberFormat::russian(), platform::NumberFormat::english()};
    for (int settings = 0; settings < 2; ++settings) {
        const auto parsed = platform::parseNumber(dataText(row.at(1)), formats[settings]);
        const auto expected = dataNumber(row.at(2 + settings));
        const char* under = settings == 0 ? "Russian" : "English";
        EXPECT_EQ(parsed.has_value(), expected.has_value()) << under;
        if (parsed && expected) {
            EXPECT_TRUE(sameBits(*parsed, *expected)) << under << ": " << *parsed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NumberTest, NumberText, testing::ValuesIn(dataRows("number_texts.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

class WrittenNumber : public testing::TestWithParam<DataRow> {};

TEST_P(WrittenNumber, ReadsAsTheTableGivesByBothRules)
{
    const DataRow& row = GetParam();
    const double value = *dataNumber(row.at(0));
    const auto format = row.at(1) == "ru" ? platform::NumberFormat::russian() : platform::NumberFormat::english();
    if (row.at(2) != "-") {
        EXPECT_EQ(platform::writeGeneral(value, format), dataText(row[2]));
    }
    if (row.at(3) == "overflow") {
        EXPECT_EQ(errorNumberOf([&] { return platform::writeDecimal(value, format); }), platform::error::Overflow);
    } else if (row[3] != "-") {
        EXPECT_EQ(platform::writeDecimal(value, format), dataText(row[3]));
    }
}

INSTANTIATE_TEST_SUITE_P(NumberWriting, WrittenNumber, testing::ValuesIn(dataRows("number_writing.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0) + " " + row.at(1); }));

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

}  // namespace
