// The course of a solve as a student reads it, each case of
// tests/data/course_cases.tsv against its whole text, and the layout that
// makes it checkable by hand: no line wider than the course's width, no
// decimal comma next to a separator, the legend before the rotations, and
// long rows continued on marked lines. The same cases as steps, against
// their whole description under tests/data/steps: each step's kind, marked
// columns and cells, plane and words. TESKORA_WRITE_COURSES=1 rewrites the
// texts from the program, to be read through before they are kept.

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/runtime/utf8.h"
#include "results/course_steps.h"
#include "results/course_text.h"
#include "results/text_grid.h"
#include "support/data_file.h"

namespace {

// The system of a case, and the course of its solve as text or as steps.
class CourseText : public testing::TestWithParam<DataRow> {
protected:
    template <class Course>
    auto solve(Course course)
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
        return course(a, b, n, 1E-07, format);
    }

    std::vector<std::u16string> course()
    {
        return solve([](const auto&... arguments) { return courseOfSolve(arguments...); });
    }

    // The whole text against its file; or the file rewritten, which never
    // passes: the rewritten texts are to be read before a run without it.
    static void compareWithFile(const std::string& text, const std::string& folder)
    {
        const std::string file = std::string(TESKORA_TEST_DATA) + "/" + folder + "/" + GetParam().at(4) + ".txt";
        if (std::getenv("TESKORA_WRITE_COURSES")) {
            std::ofstream(file) << text;
            FAIL() << file << " rewritten: read the change, then run again without TESKORA_WRITE_COURSES";
        }
        std::ifstream expected(file);
        EXPECT_EQ(text, std::string(std::istreambuf_iterator<char>(expected), {}));
    }
};

TEST_P(CourseText, IsTheWholeTextOfItsFile)
{
    std::string text;
    for (const std::u16string& line : course())
        text += platform::utf8(line) + "\n";
    compareWithFile(text, "course");
}

// Checkable by hand whatever the golden files hold: no line wider than the
// course, the legend before the first rotation, no decimal comma that reads
// as a separator, long rows continued on marked lines.
TEST_P(CourseText, ReadsAsAWorkedSolutionInColumns)
{
    const auto lines = course();
    const auto legendAt = std::find_if(lines.begin(), lines.end(),
                                       [](const auto& line) { return line.starts_with(u"  c = (1 − t²)/(1 + t²)"); });
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
    if (GetParam().at(4) == "eight_long")
        EXPECT_TRUE(continued) << "rows of eight long values go on";
}

// A step as the tables of steps describe it: its number, title and kind;
// each table's marked columns and cells (counted from 1, with their labels);
// the plane; the words.
std::string described(const CourseStep& step, std::size_t number, std::size_t count)
{
    const char* kinds[] = {"system", "rotation", "substitution", "pivot below the threshold", "back rotation",
                           "unknowns", "stop"};
    const char* styles[] = {"", "changed ", "failed "};
    std::string text = "Шаг " + std::to_string(number) + " из " + std::to_string(count) + ": "
                       + platform::utf8(step.title) + " [" + kinds[static_cast<int>(step.kind)] + "]\n";
    for (const CourseStep::Table& table : step.tables) {
        text += "  " + (table.caption.empty() ? std::string("столбцы") : platform::utf8(table.caption)) + ":";
        for (const auto& header : table.headers)
            text += " " + platform::utf8(header);
        for (const int column : table.markedColumns)
            text += "; столбец " + std::to_string(column + 1);
        for (const CourseStep::Mark& mark : table.marks)
            text += "; " + std::string(styles[static_cast<int>(mark.style)]) + "(" + std::to_string(mark.row + 1) + ","
                    + std::to_string(mark.column + 1) + ")" + (mark.label.empty() ? "" : " " + platform::utf8(mark.label));
        text += "\n";
    }
    if (const auto& plane = step.plane) {
        const auto format = platform::NumberFormat::english();
        const auto number = [&](double value) { return platform::utf8(platform::writeGeneral(value, format)); };
        text += "  плоскость " + platform::utf8(plane->axisX) + ", " + platform::utf8(plane->axisY) + ": "
                + platform::utf8(plane->fromLabel) + " = (" + number(plane->fromX) + ", " + number(plane->fromY)
                + ") → " + platform::utf8(plane->toLabel) + " = (" + number(plane->toX) + ", " + number(plane->toY)
                + "), " + platform::utf8(writeDegrees(plane->degrees, format)) + "\n";
    }
    if (!step.note.empty())
        text += "  крупно: " + platform::utf8(step.note) + "\n";
    for (const auto& line : step.text)
        text += "  " + platform::utf8(line) + "\n";
    return text;
}

TEST_P(CourseText, AsStepsIsTheWholeDescriptionOfItsFile)
{
    const auto steps = solve([](const auto&... arguments) { return stepsOfSolve(arguments...); });
    std::string text;
    for (std::size_t k = 0; k < steps.size(); ++k)
        text += described(steps[k], k + 1, steps.size());
    compareWithFile(text, "steps");
}

// One source: every rotation's d, e, t and p in the steps are written as
// the course's text writes them, and the steps stop where the course stops.
TEST_P(CourseText, AsStepsTellsTheNumbersOfTheCourse)
{
    const auto lines = course();
    std::u16string course;
    for (const auto& line : lines)
        course += line + u"\n";
    for (const CourseStep& step : solve([](const auto&... arguments) { return stepsOfSolve(arguments...); })) {
        if (step.kind != CourseStep::Kind::Rotation || step.text.size() < 3)
            continue;
        for (const auto& line : {step.text[1], step.text[2]}) {
            for (const std::u16string name : {u"d", u"e", u"t", u"p"}) {
                // "d = A(1,2) = 4; ..." is d = 4 in the course.
                const auto at = line.starts_with(name + u" = ") ? 0 : line.find(u"; " + name + u" = ");
                if (at == std::u16string::npos)
                    continue;
                auto item = line.substr(at, line.find(u';', at + 1) - at);
                if (item.ends_with(u'.'))
                    item.pop_back();
                const auto value = item.substr(item.rfind(u" = ") + 3);
                EXPECT_NE(course.find(name + u" = " + value), std::u16string::npos) << platform::utf8(line);
            }
        }
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
