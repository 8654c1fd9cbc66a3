// The file of a system, read from bytes (each case of tests/data/system_files.tsv) and written back.

#include <sstream>

#include <gtest/gtest.h>

#include "platform/runtime/utf8.h"
#include "support/data_file.h"
#include "common/system_file_format.h"

namespace {

std::string faultName(system_file::Fault fault)
{
    const char* names[] = {"TooLarge", "Binary", "Encoding", "TooFewLines", "TooManyLines", "FirstLine", "LineLength"};
    return names[static_cast<int>(fault)];
}

class SystemFile : public testing::TestWithParam<DataRow> {};

TEST_P(SystemFile, IsReadAsTheTableGives)
{
    const DataRow& row = GetParam();
    const auto read = system_file::read(dataBytes(row.at(1)));
    std::istringstream expected(row.at(2));
    std::string outcome;
    expected >> outcome;
    if (const auto* refusal = std::get_if<system_file::Refusal>(&read)) {
        std::ostringstream found;
        found << faultName(refusal->fault) << ' ' << refusal->line << ' ' << refusal->found << ' ' << refusal->expected;
        EXPECT_EQ(found.str(), row[2]);
        return;
    }
    const auto& system = std::get<system_file::System>(read);
    EXPECT_EQ("n=" + std::to_string(system.n), outcome);
    std::string rhs;
    expected >> rhs;
    EXPECT_EQ(system.rightHandSides.empty(), rhs.empty());
    std::u16string cells;
    for (int i = 0; i < system.n; ++i) {
        for (const auto& cell : system.coefficients.at(i))
            cells += cell + u"|";
        if (!rhs.empty())
            cells += system.rightHandSides.at(i) + u"|";
    }
    EXPECT_EQ(cells, platform::utf16(row.at(3) + "|"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemFile, testing::ValuesIn(dataRows("system_files.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

TEST(SystemFile, AFileOverOneMebibyteIsRefusedWhateverItHolds)
{
    const std::string large(system_file::MaxBytes + 1, '1');
    const auto read = system_file::read(large);
    ASSERT_TRUE(std::holds_alternative<system_file::Refusal>(read));
    EXPECT_EQ(std::get<system_file::Refusal>(read).fault, system_file::Fault::TooLarge);
}

TEST(SystemFile, IsWrittenInUtf8WithSemicolonsAndReadsBackTheSame)
{
    const std::vector<std::vector<std::u16string>> rows = {{u"1,5", u"-2", u"Х"}, {u"1E-05", u"😀", u""}};
    const std::string written = system_file::write(rows, "\r\n");
    EXPECT_EQ(written, "1,5;-2;Х\r\n1E-05;😀;\r\n");
    const auto system = std::get<system_file::System>(system_file::read(written));
    EXPECT_EQ(system.coefficients, std::vector<std::vector<std::u16string>>({{u"1,5", u"-2"}, {u"1E-05", u"😀"}}));
    EXPECT_EQ(system.rightHandSides, std::vector<std::u16string>({u"Х", u""}));
    // A lone surrogate, which a paste may bring into a box, still makes valid UTF-8.
    EXPECT_EQ(system_file::write({{std::u16string(1, u'\xD800'), u"1"}}, "\n"), "\xEF\xBF\xBD;1\n");
}

}  // namespace
