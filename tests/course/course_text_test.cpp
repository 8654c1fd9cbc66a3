// The course of a solve as a student reads it, each case of
// tests/data/course_cases.tsv against its whole text, and the layout that
// makes it checkable by hand: no line wider than the course's width, no
// decimal comma next to a separator, the legend before the rotations, and
// long rows continued on marked lines. The same cases as steps, against
// their whole description under tests/data/steps, as a student meets each
// step: its heading, the cells marked, the turn in the plane, the words.
// TESKORA_WRITE_COURSES=1 rewrites the texts from the program, to be read
// through before they are kept, and fails the run.

#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "course/course_steps.h"
#include "course/course_text.h"
#include "course/spoken_words.h"
#include "course/text_grid.h"
#include "platform/runtime/utf8.h"
#include "support/course_cases.h"
#include "support/golden_file.h"

namespace {

// The system of a case, and the course of its solve as text or as steps.
class CourseText : public testing::TestWithParam<DataRow> {
protected:
    std::vector<std::u16string> course() { return courseOfSolve(solvedCase(GetParam()), settingsOfCase(GetParam())); }
    std::vector<CourseStep> steps() { return stepsOfSolve(solvedCase(GetParam()), settingsOfCase(GetParam())); }

    static void compareWithFile(const std::string& text, const std::string& folder)
    {
        ::compareWithFile(text, folder + "/" + GetParam().at(4) + ".txt");
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
    if (GetParam().at(4) == "eight_long") {
        EXPECT_TRUE(continued) << "rows of eight long values go on";
    }
}

// A step as a student meets it: its heading; for each table, its caption
// and the cells marked in it, as the picture marks them (hatched, outlined
// and labelled, changed, crossed, a stored tangent); the plane's pairs and
// the turn between them; the note written large; the words.
std::string described(const CourseStep& step, std::size_t number, std::size_t count)
{
    const auto cell = [](int row, int column) { return "(" + std::to_string(row + 1) + "," + std::to_string(column + 1) + ")"; };
    std::string text = "Шаг " + std::to_string(number) + " из " + std::to_string(count) + ": "
                       + platform::utf8(step.title) + "\n";
    for (const CourseStep::Table& table : step.tables) {
        std::string hatched, outlined, changed, crossed, tangents;
        for (int r = 0; r < int(table.rows.size()); ++r) {
            for (int c = 0; c < int(table.headers.size()); ++c) {
                hatched += table.isHatched(r, c) ? " " + cell(r, c) : "";
                tangents += table.isTangent(r, c) ? " " + cell(r, c) : "";
            }
        }
        for (const CourseStep::Mark& mark : table.marks) {
            std::string& list = mark.style == CourseStep::Style::Changed  ? changed
                                : mark.style == CourseStep::Style::Failed ? crossed
                                                                          : outlined;
            list += " " + cell(mark.row, mark.column) + (mark.label.empty() ? "" : " " + platform::utf8(mark.label));
        }
        text += "  " + (table.caption.empty() ? std::string("столбцы") : platform::utf8(table.caption)) + ":";
        for (const auto& header : table.headers)
            text += " " + platform::utf8(header);
        for (const auto& [name, list] : {std::pair<const char*, const std::string&>{"заштрихованы", hatched},
                                         {"обведены", outlined}, {"изменены", changed}, {"перечёркнуты", crossed},
                                         {"тангенсы", tangents}})
            text += list.empty() ? "" : std::string("; ") + name + ":" + list;
        text += "\n";
    }
    if (const auto& plane = step.plane) {
        text += "  плоскость " + platform::utf8(plane->axisX) + ", " + platform::utf8(plane->axisY) + ": "
                + platform::utf8(plane->fromLabel) + " → " + platform::utf8(plane->toLabel)
                + (plane->turn == 0 ? std::string(", без поворота")
                                    : ", " + platform::utf8(plane->turnLabel)
                                          + (plane->turn < 0 ? ", по часовой стрелке" : ", против часовой стрелки"))
                + "\n";
    }
    if (!step.note.empty())
        text += "  крупно: " + platform::utf8(step.note) + "\n";
    for (const auto& line : step.text)
        text += "  " + platform::utf8(line) + "\n";
    return text;
}

TEST_P(CourseText, AsStepsIsTheWholeDescriptionOfItsFile)
{
    const auto all = steps();
    std::string text;
    for (std::size_t k = 0; k < all.size(); ++k)
        text += described(all[k], k + 1, all.size());
    compareWithFile(text, "steps");
}

// The last step shows the system as it was entered beside the unknowns,
// not the matrix as the rotations left it; a solve that stopped ends with
// its stop.
TEST_P(CourseText, AsStepsEndsWithTheSystemEnteredOrTheStop)
{
    const auto all = steps();
    if (all.back().kind != CourseStep::Kind::Unknowns) {
        EXPECT_TRUE(all.back().kind == CourseStep::Kind::Stop || all.back().kind == CourseStep::Kind::PivotBelowThreshold);
        return;
    }
    const CourseStep::Table& shown = all.back().tables.front();
    const CourseStep::Table& entered = all.front().tables.front();
    EXPECT_EQ(shown.rows, entered.rows);
    EXPECT_EQ(shown.headers, entered.headers);
}

// One source: every rotation's d, e, t and p in the steps are written as
// the course's text writes them, and the steps stop where the course stops.
TEST_P(CourseText, AsStepsTellsTheNumbersOfTheCourse)
{
    const auto lines = course();
    std::u16string course;
    for (const auto& line : lines)
        course += line + u"\n";
    for (const CourseStep& step : steps()) {
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

// What a screen reader is given to say for what the screen shows: indices
// as indices, powers of ten as numbers, a minus said, signs as words.
TEST(SpokenText, SaysTheNotationInWords)
{
    for (const DataRow& row : dataRows("spoken_texts.tsv"))
        EXPECT_EQ(platform::utf8(spokenText(platform::utf16(row.at(0)))), row.at(1));
}

// A number in a narrow cell of the picture: rounded to the digits given, as
// the general rule writes it otherwise (the settings' mark, E and two
// exponent digits), and never longer than the general rule's own text.
TEST(WriteShort, RoundsToTheDigitsAsTheGeneralRuleWrites)
{
    for (const DataRow& row : dataRows("short_numbers.tsv")) {
        EXPECT_EQ(platform::utf8(writeShort(*dataNumber(row.at(0)), std::stoi(row.at(1)), platform::NumberFormat::russian())),
                  row.at(2))
            << row[0] << " to " << row[1];
    }
    EXPECT_EQ(platform::utf8(writeShort(0.125, 3, platform::NumberFormat::english())), "0.125");
}

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
