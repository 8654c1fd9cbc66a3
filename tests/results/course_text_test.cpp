// The course of a solve as a student reads it, each case of
// tests/data/course_cases.tsv against its whole text, and the layout that
// makes it checkable by hand: no line wider than the course's width, no
// decimal comma next to a separator, the legend before the rotations, and
// long rows continued on marked lines. TESKORA_WRITE_COURSES=1 rewrites the
// texts from the program, to be read through before they are kept.

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/runtime/utf8.h"
#include "results/course_text.h"
#include "results/text_grid.h"
#include "support/data_file.h"

namespace {

class CourseText : public testing::TestWithParam<DataRow> {
protected:
    std::vector<std::u16string> course()
    {
        const DataRow& row = GetParam();
        CoefficientMatrix a;
        EquationVector b;
        std::istringstream rows(row.at(1));
        int n = 0;
        for (std::string line; std::getline(rows, line, ';');) {
            std::istringstream cells(line);
            ++n;
            int j = 0;
            for (std::string cell; cells >> cell;)
                a(n, ++j) = *dataNumber(cell);
        }
        std::istringstream answers(row.at(2));
        int i = 0;
        for (std::string cell; answers >> cell;)
            b(++i) = *dataNumber(cell);
        const auto format = row.at(3) == "ru" ? platform::NumberFormat::russian() : platform::NumberFormat::english();
        return courseOfSolve(a, b, n, 1E-07, format);
    }
};

TEST_P(CourseText, IsTheWholeTextOfItsFile)
{
    std::string text;
    for (const std::u16string& line : course())
        text += platform::utf8(line) + "\n";
    const std::string file = std::string(TESKORA_TEST_DATA) + "/course/" + GetParam().at(4) + ".txt";
    if (std::getenv("TESKORA_WRITE_COURSES"))
        std::ofstream(file) << text;
    std::ifstream expected(file);
    EXPECT_EQ(text, std::string(std::istreambuf_iterator<char>(expected), {}));
}

TEST_P(CourseText, ReadsAsAWorkedSolutionInColumns)
{
    const auto lines = course();
    const std::u16string legend = u"  c = (1 − t²)/(1 + t²); s = 2t/(1 + t²); t — тангенс половины угла поворота.";
    const auto legendAt = std::find(lines.begin(), lines.end(), legend);
    const auto firstRotation = std::find_if(lines.begin(), lines.end(),
                                            [](const auto& line) { return line.starts_with(u"Вращение ("); });
    EXPECT_LT(legendAt, firstRotation) << "the legend stands before the rotations";
    bool continued = false;
    for (const std::u16string& line : lines) {
        EXPECT_LE(columnsOf(line), CourseWidth) << platform::utf8(line);
        // Items are separated by "; " and indices written "(2,1)": a comma
        // between two digits is a decimal comma, never with a blank after it.
        EXPECT_FALSE(std::regex_search(platform::utf8(line), std::regex("[0-9], [0-9]|\\([0-9], "))) << platform::utf8(line);
        continued = continued || line.starts_with(u"  …");
    }
    if (GetParam().at(4) == "eight_long") {
        EXPECT_TRUE(continued);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CourseText, testing::ValuesIn(dataRows("course_cases.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

}  // namespace

namespace {

TEST(TextGrid, ColumnsStandAndALongRowGoesOnAtTheSameColumns)
{
    TextGrid grid;
    grid.row(u"", {u"Х1", u"Х2", u"Х3"});
    grid.row(u"ур. 1", {u"1", u"-22,5", u"333"});
    grid.row(u"ур. 2", {u"4444", u"5", u"6"});
    std::vector<std::u16string> lines;
    grid.write(lines, 2, 22);
    EXPECT_EQ(lines, std::vector<std::u16string>({u"           Х1     Х2", u"  …       Х3",
                                                  u"  ур. 1     1  -22,5", u"  …      333",
                                                  u"  ур. 2  4444      5", u"  …        6"}));
}

}  // namespace
