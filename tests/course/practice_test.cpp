// Practice: a value judged to the digits typed, against the formula with the
// student's own numbers; each case of a rotation; whole practices scripted.

#include <algorithm>
#include <charconv>
#include <map>

#include <gtest/gtest.h>

#include "course/practice.h"
#include "platform/runtime/utf8.h"
#include "support/course_cases.h"

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

// Each case of a rotation, told by the case chosen and checked by the
// formula with the student's numbers put in.
TEST(Practice, EachCaseOfARotationIsJudgedWithTheStudentsNumbers)
{
    struct Case {
        std::vector<std::vector<double>> a;
        const char* chosen;
        const char* wrongT;  // the formula a wrong t is told
    };
    const Case cases[] = {
        {{{3, 4}, {1, 2}}, "|d| ≥ |e|: m = e/d", "неверно: t = ±1/(|m| + √(m² + 1)) со знаком m при m = 0,75."},
        {{{-3, 4}, {1, 2}}, "|d| ≥ |e|: m = e/d", "неверно: t = ±1/(|m| + √(m² + 1)) со знаком m при m = -0,75."},
        {{{4, 3}, {2, 1}}, "|d| < |e|: m = d/e", "неверно: t = m/(1 + √(m² + 1)) при m = 0,75."},
        {{{0, 1}, {1, 0}}, "e = 0: вращение на 90°", "неверно: при e = 0 t = 1."},
        {{{2, 0}, {1, 4}}, "d = 0: вращение не нужно", nullptr},
    };
    for (const Case& each : cases) {
        Practice practice(solved(each.a, {1, 1}), Level::Everything, 0, Russian);
        const std::u16string other = std::string(each.chosen) == "|d| < |e|: m = d/e" ? u"|d| ≥ |e|: m = e/d" : u"|d| < |e|: m = d/e";
        EXPECT_EQ(said(practice.answer(other).words).rfind("неверно: сравните d = A(1,2) = ", 0), 0u) << each.chosen;
        EXPECT_EQ(said(practice.answer(platform::utf16(each.chosen)).words), "верно.") << each.chosen;
        // The case brought the rotation's values into its step: its mark counts both tries.
        EXPECT_EQ(said(practice::markWords(practice.steps()[0].items[0])), "верно с попытки 2") << each.chosen;
        if (!each.wrongT) {  // no rotation: the forward substitution comes next
            EXPECT_EQ(practice.steps()[practice.stepIndex()].kind, practice::Step::Kind::Substitution);
            continue;
        }
        if (practice.current().kind == practice::Item::Kind::M)
            practice.answer(rightAnswer(practice));
        EXPECT_EQ(said(practice.answer(u"0,999").words), each.wrongT);
        EXPECT_EQ(said(practice.answer(rightAnswer(practice)).words), "верно.");
    }
}

// The worked example through at every value: right at the first try each,
// one wrong t then right, a p shown; the summary tells them apart, and the
// report holds each value with its mark.
TEST(Practice, AWholePracticeTellsRightWrongAndShownApart)
{
    Practice practice(solved({{3, 4}, {1, 2}}, {7, 3}), Level::Everything, 0, Russian);
    EXPECT_EQ(said(practice.current().name), "случай вращения (1,2)");
    int asked = 0;
    while (!practice.done()) {
        const std::string name = said(practice.current().name);
        if (name == "t вращения (1,2)") {
            EXPECT_EQ(said(practice.answer(u"0,6").words), "неверно: t = ±1/(|m| + √(m² + 1)) со знаком m при m = 0,75.");
        }
        if (name == "p вращения (1,2)") {
            EXPECT_EQ(said(practice.show().words), "показано: p вращения (1,2) = 5.");
            continue;
        }
        EXPECT_EQ(said(practice.answer(rightAnswer(practice)).words), "верно.") << name;
        ++asked;
    }
    EXPECT_EQ(asked, 13);  // the rotation's case, m, t, c, s and row 2; two pivots' tests and y; two x
    const auto summary = practice.summary();
    EXPECT_EQ(said(summary.at(0)), "Верно с первой попытки: 12; верно не с первой: 1; показано: 1.");
    EXPECT_EQ(said(summary.at(1)), "Первое неверное t: t вращения (1,2).");
    EXPECT_EQ(said(summary.back()), "Решение программы: Х1 = 1; Х2 = 1.");
    const auto report = practice.report(u"8 декабря 2026");
    const auto has = [&](const char* line) { return std::find(report.begin(), report.end(), platform::utf16(line)) != report.end(); };
    EXPECT_TRUE(has("Студент: ________________________________________"));
    EXPECT_TRUE(has("  уравнение 1: 3·Х1 + 4·Х2 = 7."));
    EXPECT_TRUE(has("  t вращения (1,2): 0,5 — верно с попытки 2."));
    EXPECT_TRUE(has("  p вращения (1,2): 5 — показано."));
    EXPECT_TRUE(has("Первое неверное t: t вращения (1,2)."));
    EXPECT_TRUE(has("  x(2) после обратного вращения (1,2): 1 — верно с первой попытки."));
}

// A value is right where it agrees with the student's own numbers, or with
// the solve's own: c exact after a rounded t is not called wrong.
TEST(Practice, TheSolvesOwnValueIsRightToo)
{
    Practice practice(solved({{2, 1}, {1, 3}}, {3, 4}), Level::WithCosineAndSine, 0, Russian);
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
