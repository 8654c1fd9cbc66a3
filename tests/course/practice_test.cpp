// Practice: a value judged to the digits typed, against the formula with the
// student's own numbers; each case of a rotation; whole practices scripted.

#include <algorithm>
#include <charconv>
#include <map>

#include <gtest/gtest.h>

#include "course/practice.h"
#include "platform/runtime/utf8.h"
#include "support/course_cases.h"
#include "support/golden_file.h"

namespace {

using practice::Judgement;
using practice::Level;
using practice::Practice;
const auto Russian = platform::NumberFormat::russian();

std::string said(const std::u16string& text)
{
    return platform::utf8(text);
}

SolveDocument solved(const std::vector<std::vector<double>>& rows, const std::vector<double>& rhs)
{
    CoefficientMatrix a;
    EquationVector b;
    const int n = int(rows.size());
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            a(i, j) = rows[i - 1][j - 1];
        b(i) = rhs[i - 1];
    }
    return documentOfSolve(a, b, n, PivotThreshold);
}

// The value the current item wants, as a student who gets it right types it.
std::u16string rightAnswer(Practice& practice)
{
    Practice copy = practice;
    const auto choices = copy.choices(copy.current());
    copy.show();
    const practice::Item& shown = copy.steps()[practice.stepIndex()].items[practice.itemIndex()];
    return choices.empty() ? platform::writeGeneral(shown.value, Russian) : shown.answer;
}

// A value typed to four significant digits, as "-1,277E+01".
std::u16string fourDigits(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 3).ptr;
    std::string text(buffer, end);
    std::replace(text.begin(), text.end(), '.', ',');
    std::replace(text.begin(), text.end(), 'e', 'E');
    return platform::utf16(text);
}

TEST(Practice, AValueIsRightToTheDigitsTypedAndNeedsThreeUnlessExact)
{
    const std::map<std::string, Judgement> judgements = {{"Right", Judgement::Right},
                                                         {"Wrong", Judgement::Wrong},
                                                         {"TooFewDigits", Judgement::TooFewDigits},
                                                         {"NotANumber", Judgement::NotANumber}};
    for (const DataRow& row : dataRows("practice_judgements.tsv")) {
        EXPECT_EQ(practice::judge(platform::utf16(row.at(0)), *dataNumber(row.at(1)), Russian), judgements.at(row.at(2)))
            << row[0] << " for " << row[1];
    }
}

// A whole practice as a student meets it at a level: each value answered
// wrong (the first number also as a letter), then right, with the question the picture asks, the numbers
// given and what is said to each answer; the report when the first step is
// done and at the end. Against its whole transcript under tests/data/practice.
class Transcript : public testing::TestWithParam<DataRow> {};

TEST_P(Transcript, IsWhatTheStudentIsToldAtEveryValue)
{
    Practice practice(solvedCase(courseCase(GetParam().at(0))), Level(std::stoi(GetParam().at(3))),
                      std::stoi(GetParam().at(1)), Russian);
    std::string text;
    bool typedALetter = false;
    const auto report = [&] {
        for (const auto& line : practice.report(u"8 декабря 2026"))
            text += said(line) + "\n";
    };
    while (!practice.done()) {
        const std::size_t step = practice.stepIndex();
        const CourseStep shown = practice.picture(step);
        text += said(practice.current().name) + " (" + said(shown.note) + "; " + said(shown.text.at(0)) + ")\n";
        const auto choices = practice.choices(practice.current());
        const std::u16string right = rightAnswer(practice);
        if (choices.empty() && !typedALetter)
            text += "  a: " + said(practice.answer(u"a").words) + "\n";
        typedALetter = typedALetter || choices.empty();
        const std::u16string wrong = choices.empty() ? u"999" : choices.at(choices.at(0) == right ? 1 : 0);
        text += "  " + said(wrong) + ": " + said(practice.answer(wrong).words) + "\n";
        const practice::Verdict verdict = practice.answer(right);
        text += "  " + said(right) + ": " + said(verdict.words) + (verdict.drift.empty() ? "" : " " + said(verdict.drift)) + "\n";
        if (step == 0 && practice.stepIndex() == 1)
            report();
    }
    report();
    compareWithFile(text, "practice/" + GetParam().at(2) + ".txt");
}

INSTANTIATE_TEST_SUITE_P(Cases, Transcript, testing::ValuesIn(dataRows("practice_transcripts.tsv")),
                         rowNames([](const DataRow& row) { return row.at(2); }));

// A value is right where it agrees with the student's own numbers, or with
// the solve's own: c exact after a rounded t is not called wrong.
TEST(Practice, TheSolvesOwnValueIsRightToo)
{
    Practice practice(solved({{2, 1}, {1, 3}}, {3, 4}), Level::WithCosineAndSine, 0, Russian);
    EXPECT_EQ(said(practice.answer(u"0,24").words), "Нужно не меньше трёх значащих цифр, если значение не точное.");
    EXPECT_EQ(said(practice.answer(u"0,237").words), "верно.");   // t = 0,23607 cut short
    practice.show();                                                // p
    EXPECT_EQ(said(practice.answer(u"0,8944").words), "верно.");  // 0,89364 from 0,237; exactly 0,89443
    EXPECT_EQ(said(practice.answer(u"0,4500").words),
              "неверно: s = 2t/(1 + t²) при t = 0,237.");  // neither 0,44879 nor 0,44721
}

// A matrix close to singular: the practice stops where the solve stops,
// at the pivot the student finds below the threshold.
TEST(Practice, ItStopsAtAPivotBelowTheThresholdAndAtAnOverflow)
{
    Practice singular(solved({{1, 2}, {2, 4}}, {3, 6}), Level::Everything, 0, Russian);
    while (!singular.done())
        singular.answer(rightAnswer(singular));
    EXPECT_TRUE(singular.stoppedAtPivot());
    EXPECT_EQ(said(singular.current().name), "проверка L(2,2) по порогу");
    EXPECT_EQ(said(singular.summary().back()), "Программа на этой системе останавливается: |L(2,2)| меньше порога.");

    // Rounded to three digits (c low, s high, each within its last digit),
    // the student's pivot passes where the solve's own does not: said, with
    // the solve's value, and the student goes on from the own numbers.
    Practice nearly(solved({{1, 2}, {2, 4.0000001}}, {3, 6.0000001}), Level::Everything, 0, Russian);
    const std::map<std::string, const char16_t*> typed = {
        {"m вращения (1,2)", u"0,500"}, {"t вращения (1,2)", u"0,618"}, {"p вращения (1,2)", u"2,24"},
        {"c вращения (1,2)", u"0,447"}, {"s вращения (1,2)", u"0,895"}};
    practice::Verdict pivot;
    while (!nearly.done() && said(nearly.current().name) != "y(2)") {
        const std::string name = said(nearly.current().name);
        const practice::Verdict verdict = nearly.answer(typed.count(name) ? std::u16string(typed.at(name)) : rightAnswer(nearly));
        if (name == "проверка L(2,2) по порогу")
            pivot = verdict;
    }
    EXPECT_EQ(said(pivot.words), "верно.");
    EXPECT_NE(said(pivot.drift).find("меньше порога: программа здесь остановилась бы"), std::string::npos) << said(pivot.drift);
    EXPECT_FALSE(nearly.stoppedAtPivot());
    Practice overflow(solved({{1.5e308, 1.5e308}, {1, 2}}, {1, 1}), Level::TangentAndPivot, 0, Russian);
    while (!overflow.done())
        overflow.answer(rightAnswer(overflow));
    EXPECT_TRUE(overflow.overflowed());
    const auto report = overflow.report(u"");
    EXPECT_NE(std::find(report.begin(), report.end(), u"Вычисление остановлено: переполнение."), report.end());
}

// Eight unknowns, t and p typed to four digits: the student's values drift
// from the solve's; told once, the true value beside, and never called wrong.
TEST(Practice, ADriftFromRoundingIsToldOnceAndNotCalledWrong)
{
    Practice practice(solvedCase(courseCase("eight_long")), Level::TangentAndPivot, 0, Russian);
    int drifts = 0, wrong = 0;
    while (!practice.done()) {
        const practice::Verdict verdict = practice.answer(fourDigits(practice::typedNumber(rightAnswer(practice), Russian)->value));
        drifts += verdict.drift.empty() ? 0 : 1;
        wrong += verdict.judgement == Judgement::Right ? 0 : 1;
        if (!verdict.drift.empty()) {
            EXPECT_NE(said(verdict.drift).find("точное значение здесь"), std::string::npos);
        }
    }
    EXPECT_EQ(drifts, 1);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
