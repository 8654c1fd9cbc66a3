// The file of a system, read from bytes (each case of tests/data/system_files.tsv, among them files that
// spreadsheets and numeric tools wrote) and written back.

#include <gtest/gtest.h>

#include "documents/system_file_format.h"
#include "platform/runtime/utf8.h"
#include "support/data_file.h"

namespace {

using system_file::Separator;

std::string separatorName(Separator separator)
{
    const char* names[] = {"tab", ";", ",", "blanks"};
    return names[static_cast<int>(separator)];
}

std::string faultName(system_file::Fault fault)
{
    const char* names[] = {"TooLarge",     "Binary",    "Encoding",   "Utf16WithoutMark", "TooFewLines",
                           "TooManyLines", "FirstLine", "LineLength", "EmptyLine",   "UnclosedQuote", "RowNames"};
    return names[static_cast<int>(fault)];
}

std::string joined(const std::vector<std::u16string>& cells)
{
    std::string text;
    for (const auto& cell : cells)
        text += (text.empty() && &cell == &cells.front() ? "" : "|") + platform::utf8(cell);
    return text;
}

// What the reader made of a file, as the table writes it: the outcome, a tab, the cells.
std::string described(const std::variant<system_file::System, system_file::Refusal>& read)
{
    if (const auto* refusal = std::get_if<system_file::Refusal>(&read)) {
        std::string outcome = faultName(refusal->fault) + ' ' + std::to_string(refusal->line) + ' '
                              + std::to_string(refusal->found) + ' ' + std::to_string(refusal->expected);
        if (!refusal->cells.empty())
            outcome += " sep=" + separatorName(refusal->separator);
        if (refusal->rowNamesLikely)
            outcome += " row names?";
        return outcome + '\t' + joined(refusal->cells);
    }
    const auto& system = std::get<system_file::System>(read);
    std::string outcome = "n=" + std::to_string(system.n) + (system.rightHandSides.empty() ? "" : " rhs")
                          + " sep=" + separatorName(system.separator) + (system.windows1251 ? " cp1251" : "")
                          + (system.header.empty() ? "" : " header")
                          + (system.rowNames.empty() ? "" : " rows=" + joined(system.rowNames))
                          + (system.convertedMark.empty() ? "" : " mark=" + platform::utf8(system.convertedMark))
                          + (system.keptAsWritten.empty() ? "" : " kept=" + joined(system.keptAsWritten));
    std::vector<std::u16string> cells;
    for (int i = 0; i < system.n; ++i) {
        cells.insert(cells.end(), system.coefficients.at(i).begin(), system.coefficients.at(i).end());
        if (!system.rightHandSides.empty())
            cells.push_back(system.rightHandSides.at(i));
    }
    return outcome + '\t' + joined(cells);
}

platform::NumberFormat settings(const std::string& name)
{
    return name == "ru" ? platform::NumberFormat::russian() : platform::NumberFormat::english();
}

class SystemFile : public testing::TestWithParam<DataRow> {};

TEST_P(SystemFile, IsReadAsTheTableGives)
{
    const DataRow& row = GetParam();
    EXPECT_EQ(described(system_file::read(dataBytes(row.at(2)), settings(row.at(1)))),
              row.at(3) + '\t' + dataBytes(row.at(4)));
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemFile, testing::ValuesIn(dataRows("system_files.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

TEST(SystemFile, AFileOverOneMebibyteIsRefusedWhateverItHolds)
{
    const std::string large(system_file::MaxBytes + 1, '1');
    const auto read = system_file::read(large, platform::NumberFormat::russian());
    ASSERT_TRUE(std::holds_alternative<system_file::Refusal>(read));
    EXPECT_EQ(std::get<system_file::Refusal>(read).fault, system_file::Fault::TooLarge);
}

// Written as spreadsheets write CSV, quoted only where a cell holds what
// would separate it, and read back as it was.
TEST(SystemFile, IsWrittenQuotedWhereNeededAndReadsBackTheSame)
{
    const std::vector<std::vector<std::u16string>> rows = {{u"1,5", u"-2", u"a;b"}, {u"1E-05", u"😀", u"x\"\ny"}};
    const std::string comma = system_file::write(rows, Separator::Comma, "\r\n");
    EXPECT_EQ(comma, "\"1,5\",-2,\"a;b\"\r\n1E-05,😀,\"x\"\"\ny\"\r\n");
    const std::string tab = system_file::write(rows, Separator::Tab, "\n");
    EXPECT_EQ(tab, "1,5\t-2\ta;b\n1E-05\t😀\t\"x\"\"\ny\"\n");
    for (const std::string& written : {comma, tab}) {
        const auto system = std::get<system_file::System>(system_file::read(written, platform::NumberFormat::russian()));
        EXPECT_EQ(system.coefficients, std::vector<std::vector<std::u16string>>({{u"1,5", u"-2"}, {u"1E-05", u"😀"}}));
        EXPECT_EQ(system.rightHandSides, std::vector<std::u16string>({u"a;b", u"x\"\ny"}));
    }
    // A lone surrogate, which a paste may bring into a box, still makes valid UTF-8.
    EXPECT_EQ(system_file::write({{std::u16string(1, u'\xD800'), u"1"}}, Separator::Comma, "\n"), "\xEF\xBF\xBD,1\n");
}

}  // namespace
