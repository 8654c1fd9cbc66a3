#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_steps.h"
#include "documents/solve_document.h"
#include "platform/runtime/number_rules.h"

// Practice: the student solves a system by the rotation method, one value
// at a time in the method's order, and each value is checked.
//
// How a value is judged. Against the formula applied to the student's own
// accepted values it depends on (so that one rounding does not make every
// later value wrong): it is right when it agrees with that to the digits
// typed, within one unit of its last typed digit, and it needs three
// significant digits at least unless it is exact (the very number the
// formula gives: 0, 1, an integer, 0,75). Where the student's accepted values have drifted
// from the solve's own by more than the digits typed allow, the student is
// told so once, the true value beside, and the value is not called wrong.
namespace practice {

// What the student checks: t and p of each rotation; t, p, c and s; or
// everything (the case of each rotation, m, the rows below, the forward
// substitution with each pivot's test, the back rotations). The unknowns
// at the end are asked where the back rotations are not.
enum class Level { TangentAndPivot, WithCosineAndSine, Everything };
// The level as the student chooses it: "t и p каждого вращения", ...
std::u16string levelWords(Level level);

// A number as typed: its value, one unit of its last digit, its
// significant digits.
struct Typed {
    double value = 0, unit = 0;
    int significant = 0;
};
std::optional<Typed> typedNumber(std::u16string_view text, const platform::NumberFormat& format);

enum class Judgement { Right, Wrong, TooFewDigits, NotANumber };
Judgement judge(std::u16string_view text, double expected, const platform::NumberFormat& format);

// One value the student gives.
struct Item {
    enum class Kind { Case, M, T, P, C, S, RowI, RowJ, Pivot, Y, XI, XJ, Unknown };
    enum class Mark { Open, FirstTry, LaterTry, Shown, Computed };
    Kind kind = Kind::T;
    int k = 0;              // the row of A(k,i), A(k,j); the row j of the substitution; the unknown's number
    std::u16string name;    // "t вращения (1,2)"
    bool asked = true;      // false: computed for the student at this level
    Mark mark = Mark::Open;
    int tries = 0;
    bool wrongOnce = false;
    std::u16string answer;  // as accepted: typed, chosen or shown
    double value = 0;
};

// A step of the method: a rotation (i, j), a row j of the forward
// substitution, a back rotation (i, j); the unknowns at the end.
struct Step {
    enum class Kind { Rotation, Substitution, BackRotation, Unknowns };
    Kind kind = Kind::Rotation;
    int i = 0, j = 0;
    std::u16string title;
    std::vector<Item> items;
};

// How an item was accepted, in words: "верно с первой попытки", "верно с
// попытки 2", "показано", "вычислено программой"; nothing while open.
std::u16string markWords(const Item& item);

// The rule a value is judged by, as the student is told it.
inline const std::u16string Rule =
    u"Число верно, если оно отличается от значения формулы, вычисленного по вашим принятым числам, меньше чем на "
    u"единицу последней набранной цифры. Нужно не меньше трёх значащих цифр, если значение не точное (0, 1, целое, "
    u"0,75).";

// The system, the legends and the rule: what the student reads before the
// first value.
std::vector<std::u16string> introduction(const SolveDocument& solve, const platform::NumberFormat& format);

// What the student is told of an answer.
struct Verdict {
    Judgement judgement = Judgement::Wrong;
    std::u16string words;  // "верно." or "неверно: t = m/(1 + √(m² + 1)) при m = 0,75."
    std::u16string drift;  // once: the accepted values have drifted from the solve's
};

class Practice {
public:
    // The document of a solve of the system; the rotations before the one
    // given (counted from 0) are made as the solve made them.
    Practice(SolveDocument solve, Level level, int firstRotation, platform::NumberFormat format);

    const SolveDocument& solve() const { return solve_; }
    Level level() const { return level_; }
    const std::vector<Step>& steps() const { return steps_; }
    std::size_t stepIndex() const { return step_; }
    std::size_t itemIndex() const { return item_; }
    bool done() const { return step_ >= steps_.size() || stopped_ || overflowed_; }
    // Why the practice ended before its last step: a pivot below the
    // threshold, or numbers beyond the double range.
    bool stoppedAtPivot() const { return stopped_; }
    bool overflowed() const { return overflowed_; }
    const Item& current() const { return steps_[step_].items[item_]; }

    // The choices of a case or a pivot's test; none for a number.
    std::vector<std::u16string> choices(const Item& item) const;
    // The student's answer to the current value, or the value shown.
    Verdict answer(std::u16string_view typed);
    Verdict show();

    // The step given drawn: the matrix and the vector as the student's
    // accepted values make them; where it is the step the student is at, the
    // cells the current value is about marked and its words giving the
    // numbers the value is computed from; a step done, as it left them.
    CourseStep picture(std::size_t shown) const;

    // How many asked values were right at the first try, at a later one, shown;
    // and the first wrong value of each kind.
    std::vector<std::u16string> summary() const;
    // The report to hand in, dated: the level and where it began, each
    // step with the student's values and marks, the notes of drift, the
    // summary, the rule.
    std::vector<std::u16string> report(const std::u16string& date) const;

private:
    std::u16string number(double value) const;
    void enter();
    void fillRotation(Step& step);
    void accept(Item& item, double value, const std::u16string& answer, Item::Mark mark);
    void advance();
    double expected(const Item& item) const;
    std::u16string formula(const Item& item) const;
    Judgement judged(std::u16string_view typed, const Item& item) const;
    std::u16string driftOf(const Item& item, double value, double unit);
    std::optional<double> truth(const Item& item) const;
    bool isAsked(Item::Kind kind) const;
    std::vector<std::u16string> given() const;
    CourseStep::Table matrixTable(bool marked) const;
    std::u16string prompt(const Item& item) const;
    CourseStep::Table vectorTable() const;

    SolveDocument solve_;
    Level level_;
    platform::NumberFormat format_;
    std::vector<Step> steps_;
    std::size_t step_ = 0, item_ = 0;
    bool stopped_ = false, overflowed_ = false, driftTold_ = false;
    int firstRotation_ = 0;
    std::vector<std::u16string> drifts_;  // what the student was told of drift, for the report
    std::vector<std::vector<double>> a_;
    std::vector<std::vector<bool>> tangents_;
    std::vector<double> x_;  // b, then y, then x
    std::vector<std::optional<double>> y_;  // y as the substitution finds it
    double d_ = 0, e_ = 0, m_ = 0, t_ = 0, p_ = 0, c_ = 0, s_ = 0;  // the rotation's, as accepted
    RotationObserver::Branch branch_ = RotationObserver::Branch::CellSmaller;
    bool noRotation_ = false;
};

}  // namespace practice
