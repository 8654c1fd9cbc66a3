// The command line, each case a row: the help, the version, a file, and the
// mistakes; and the lines it prints.

#include <gtest/gtest.h>

#include "shell/command_line.h"
#include "support/data_file.h"

namespace {

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    CommandLine::Action action;
    std::string file;
};

class CommandLineCase : public testing::TestWithParam<Case> {};

TEST_P(CommandLineCase, IsReadAsTheRowGives)
{
    const CommandLine line = readCommandLine(GetParam().arguments);
    EXPECT_EQ(line.action, GetParam().action);
    EXPECT_EQ(line.file, GetParam().file);
    EXPECT_EQ(line.mistake.empty(), GetParam().action != CommandLine::Action::Mistake);
}

using A = CommandLine::Action;
INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineCase,
    testing::Values(Case{"nothing", {}, A::Start, ""}, Case{"a file", {"система.csv"}, A::Start, "система.csv"},
                    Case{"help", {"--help"}, A::Help, ""}, Case{"help short", {"x.csv", "-h"}, A::Help, ""},
                    Case{"version", {"-v"}, A::Version, ""}, Case{"an unknown option", {"--print"}, A::Mistake, ""},
                    Case{"two files", {"a.csv", "b.csv"}, A::Mistake, ""},
                    Case{"a file named like an option after --", {"--", "--help"}, A::Start, "--help"},
                    Case{"the toolkit's own options passed over", {"-platform", "xcb", "--reverse", "x.csv"}, A::Start,
                         "x.csv"}),
    [](const auto& info) { return rowName(info.param.name); });

TEST(CommandLine, PrintsItsHelpAndVersionInRussian)
{
    EXPECT_TRUE(helpText().starts_with("Использование: teskora [ФАЙЛ]\n"));
    EXPECT_EQ(versionText(), "teskora 2.3.28\n");
}

}  // namespace
