#include "course/practice.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "course/course_words.h"
#include "platform/runtime/pasted_cells.h"

namespace practice {

namespace {

using Kind = Item::Kind;
using Branch = RotationObserver::Branch;
using Text = std::u16string;
using course_words::cell;
using course_words::index;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The cases of a rotation, as the student chooses among them.
const Text Cases[] = {u"d = 0: вращение не нужно", u"e = 0: вращение на 90°", u"|d| ≥ |e|: m = e/d",
                      u"|d| < |e|: m = d/e"};

// A long sentence in lines of at most width characters, broken at blanks.
std::vector<Text> wrapped(const Text& text, std::size_t width)
{
    std::vector<Text> lines(1);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(u' ', at), text.size());
        const Text word = text.substr(at, end - at);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width)
            lines.emplace_back();
        lines.back() += (lines.back().empty() ? Text() : Text(u" ")) + word;
        at = end + 1;
    }
    return lines;
}

// The system as the student reads it: its heading, and each equation
// written as by hand.
std::vector<Text> systemLines(const SolveDocument& solve, const std::function<Text(double)>& number)
{
    std::vector<Text> lines = {course_words::systemHeading(solve.n, number(solve.threshold))};
    for (int i = 1; i <= solve.n; ++i)
        lines.push_back(u"  уравнение " + index(i) + u": " + course_words::equation(solve, i, number) + u".");
    return lines;
}

}  // namespace

std::optional<Typed> typedNumber(std::u16string_view text, const platform::NumberFormat& format)
{
    const auto value = platform::parseNumber(text, format);
    if (!value)
        return std::nullopt;
    // The digits of the mantissa, and where the decimal mark and the exponent stand.
    std::u16string_view mantissa = text;
    int exponent = 0;
    if (const auto e = text.find_first_of(u"Ee"); e != std::u16string_view::npos) {
        mantissa = text.substr(0, e);
        exponent = static_cast<int>(*platform::parseNumber(text.substr(e + 1), format));
    }
    const auto mark = mantissa.find(format.decimalSeparator);
    int after = 0, significant = 0;
    bool leading = true;
    for (std::size_t k = 0; k < mantissa.size(); ++k) {
        if (!isDigit(mantissa[k]))
            continue;
        if (mark != std::u16string_view::npos && k > mark)
            ++after;
        leading = leading && mantissa[k] == u'0';
        significant += leading ? 0 : 1;
    }
    return Typed{*value, std::pow(10.0, exponent - after), significant};
}

Judgement judge(std::u16string_view text, double expected, const platform::NumberFormat& format)
{
    const auto typed = typedNumber(text, format);
    if (!typed)
        return Judgement::NotANumber;
    // Exact: the number the formula gives, to the last bits of its
    // arithmetic (0, 1, an integer, 0,75; 0,6 where the formula's 0,6 carries
    // a rounding in its sixteenth digit).
    const double off = std::abs(typed->value - expected);
    if (off <= 8 * std::numeric_limits<double>::epsilon() * std::abs(expected))
        return Judgement::Right;
    // Agreeing to the digits typed: less than one unit of the last digit
    // away, so that a value cut short is as right as one rounded. (The
    // margin keeps 0,6 for 0,5 a whole unit away in binary too.)
    if (off >= typed->unit * (1 - 1e-9))
        return Judgement::Wrong;
    return typed->significant < 3 ? Judgement::TooFewDigits : Judgement::Right;
}

Text levelWords(Level level)
{
    switch (level) {
    case Level::TangentAndPivot:
        return u"t и p каждого вращения";
    case Level::WithCosineAndSine:
        return u"t, p, c и s каждого вращения";
    case Level::Everything:
        break;
    }
    return u"всё: случай, m, t, p, c, s, строки ниже, подстановку, обратные вращения";
}

Text markWords(const Item& item)
{
    switch (item.mark) {
    case Item::Mark::Open:
        break;
    case Item::Mark::FirstTry:
        return u"верно с первой попытки";
    case Item::Mark::LaterTry:
        return u"верно с попытки " + index(item.tries);
    case Item::Mark::Shown:
        return u"показано";
    case Item::Mark::Computed:
        return u"вычислено программой";
    }
    return Text();
}

Practice::Practice(SolveDocument solve, Level level, int firstRotation, platform::NumberFormat format)
    : solve_(std::move(solve)), level_(level), format_(std::move(format)), firstRotation_(firstRotation)
{
    const int n = solve_.n;
    a_.assign(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n)));
    tangents_.assign(static_cast<std::size_t>(n), std::vector<bool>(static_cast<std::size_t>(n), false));
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            a_[i - 1][j - 1] = solve_.a(i, j).value();
        x_.push_back(solve_.b(i).value());
    }
    y_.resize(static_cast<std::size_t>(n));
    // The rotations before the first one practised, as the solve made them.
    int r = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j, ++r) {
            if (r >= firstRotation) {
                steps_.push_back({Step::Kind::Rotation, i, j, u"Вращение " + cell(i, j), {}});
                continue;
            }
            const SolveRecord::Rotation& made = solve_.record.rotations.at(static_cast<std::size_t>(r));
            tangents_[i - 1][j - 1] = true;
            if (!made.made)
                continue;
            a_[i - 1][i - 1] = made.step.p;
            a_[i - 1][j - 1] = made.step.t;
            for (const auto& [k, turned] : made.rows) {
                a_[k - 1][i - 1] = turned.first;
                a_[k - 1][j - 1] = turned.second;
            }
        }
    }
    for (int j = 1; j <= n; ++j)
        steps_.push_back({Step::Kind::Substitution, 0, j, u"Прямая подстановка, строка " + index(j), {}});
    for (int i = n - 1; i >= 1; --i) {
        for (int j = n; j > i; --j)
            steps_.push_back({Step::Kind::BackRotation, i, j, u"Обратное вращение " + cell(i, j), {}});
    }
    steps_.push_back({Step::Kind::Unknowns, 0, 0, u"Неизвестные", {}});
    enter();
}

Text Practice::number(double value) const
{
    return platform::writeGeneral(value, format_);
}

bool Practice::isAsked(Kind kind) const
{
    switch (level_) {
    case Level::TangentAndPivot:
        return kind == Kind::T || kind == Kind::P || kind == Kind::Unknown;
    case Level::WithCosineAndSine:
        return kind == Kind::T || kind == Kind::P || kind == Kind::C || kind == Kind::S || kind == Kind::Unknown;
    case Level::Everything:
        return kind != Kind::Unknown;
    }
    return true;
}

// The items of a step as it begins; a rotation's beyond its case wait for it.
void Practice::enter()
{
    while (step_ < steps_.size() && !stopped_) {
        Step& step = steps_[step_];
        const auto item = [&](Kind kind, int k, Text name) {
            step.items.push_back({kind, k, std::move(name), isAsked(kind), Item::Mark::Open, 0, false, {}, 0});
        };
        if (step.items.empty()) {
            if (step.kind == Step::Kind::Rotation) {
                d_ = a_[step.i - 1][step.j - 1];
                e_ = a_[step.i - 1][step.i - 1];
                item(Kind::Case, 0, u"случай вращения " + cell(step.i, step.j));
            } else if (step.kind == Step::Kind::Substitution) {
                item(Kind::Pivot, step.j, u"проверка L" + cell(step.j, step.j) + u" по порогу");
                item(Kind::Y, step.j, u"y(" + index(step.j) + u")");
            } else if (step.kind == Step::Kind::Unknowns) {
                for (int k = 1; k <= solve_.n; ++k)
                    item(Kind::Unknown, k, u"Х" + index(k));
            } else {
                item(Kind::XI, step.i, u"x(" + index(step.i) + u") после обратного вращения " + cell(step.i, step.j));
                item(Kind::XJ, step.j, u"x(" + index(step.j) + u") после обратного вращения " + cell(step.i, step.j));
            }
        }
        Item& now = step.items[item_];
        // Numbers beyond the double range: the method stops here, as the solve does.
        if (!std::isfinite(expected(now))) {
            overflowed_ = true;
            return;
        }
        if (now.asked)
            return;
        accept(now, expected(now), now.kind == Kind::Case || now.kind == Kind::Pivot ? choices(now)[std::size_t(expected(now))]
                                                                                     : number(expected(now)),
               Item::Mark::Computed);
        advance();
    }
}

// A rotation's values once its case is known: none where d = 0.
void Practice::fillRotation(Step& step)
{
    const Text of = u" вращения " + cell(step.i, step.j);
    const auto item = [&](Kind kind, int k, Text name) {
        step.items.push_back({kind, k, std::move(name), isAsked(kind), Item::Mark::Open, 0, false, {}, 0});
    };
    if (noRotation_)
        return;
    if (branch_ != Branch::ZeroPivot)
        item(Kind::M, 0, u"m" + of);
    for (const auto& [kind, name] : {std::pair{Kind::T, u"t"}, {Kind::P, u"p"}, {Kind::C, u"c"}, {Kind::S, u"s"}})
        item(kind, 0, name + of);
    for (int k = step.i + 1; k <= solve_.n; ++k) {
        item(Kind::RowI, k, u"A" + cell(k, step.i) + u" после" + of);
        item(Kind::RowJ, k, u"A" + cell(k, step.j) + u" после" + of);
    }
}

std::vector<Text> Practice::choices(const Item& item) const
{
    if (item.kind == Kind::Case)
        return {std::begin(Cases), std::end(Cases)};
    if (item.kind == Kind::Pivot) {
        const Text l = u"|L" + cell(item.k, item.k) + u"|";
        return {l + u" не меньше порога " + number(solve_.threshold), l + u" меньше порога " + number(solve_.threshold)};
    }
    return {};
}

double Practice::expected(const Item& item) const
{
    const Step& step = steps_[step_];
    const int i = step.i, j = step.j;
    const double q = std::sqrt(m_ * m_ + 1);
    const double r = 1 / (t_ * t_ + 1);
    switch (item.kind) {
    case Kind::Case:
        return d_ == 0 ? 0 : e_ == 0 ? 1 : std::abs(d_) >= std::abs(e_) ? 2 : 3;
    case Kind::M:
        return branch_ == Branch::CellNotSmaller ? e_ / d_ : d_ / e_;
    case Kind::T:
        return branch_ == Branch::ZeroPivot        ? 1
               : branch_ == Branch::CellNotSmaller ? (m_ < 0 ? -1 : 1) / (std::abs(m_) + q)
                                                   : m_ / (q + 1);
    case Kind::P:
        return branch_ == Branch::ZeroPivot        ? d_
               : branch_ == Branch::CellNotSmaller ? (e_ < 0 ? -1 : 1) * std::abs(d_) * q
                                                   : q * e_;
    case Kind::C:
        return (1 - t_ * t_) * r;
    case Kind::S:
        return (t_ + t_) * r;
    case Kind::RowI:
        return s_ * a_[item.k - 1][j - 1] + c_ * a_[item.k - 1][i - 1];
    case Kind::RowJ:
        return c_ * a_[item.k - 1][j - 1] - s_ * a_[item.k - 1][i - 1];
    case Kind::Pivot:
        return std::abs(a_[j - 1][j - 1]) < solve_.threshold ? 1 : 0;
    case Kind::Y: {
        double sum = 0;
        for (int k = 1; k < j; ++k)
            sum = a_[j - 1][k - 1] * x_[k - 1] + sum;
        return (x_[j - 1] - sum) / a_[j - 1][j - 1];
    }
    case Kind::XI:
    case Kind::XJ: {
        const double t = a_[i - 1][j - 1], c = (1 - t * t) / (t * t + 1), s = (t + t) / (t * t + 1);
        const double u = x_[i - 1], v = x_[j - 1];
        return item.kind == Kind::XI ? c * u - s * v : s * u + c * v;
    }
    case Kind::Unknown:
        return x_[item.k - 1];
    }
    return 0;
}

// The formula of a value with the student's own numbers put in, without its result.
Text Practice::formula(const Item& item) const
{
    const Step& step = steps_[step_];
    const int i = step.i, j = step.j;
    const Text d = number(d_), e = number(e_), m = number(m_), t = number(t_);
    const auto at = [&](int row, int column) { return number(a_[row - 1][column - 1]); };
    const Text ki = u"A" + cell(item.k, i), kj = u"A" + cell(item.k, j);
    switch (item.kind) {
    case Kind::Case:
        return u"сравните d = A" + cell(i, j) + u" = " + d + u" и e = A" + cell(i, i) + u" = " + e + u".";
    case Kind::M:
        return branch_ == Branch::CellNotSmaller ? u"m = e/d при e = " + e + u", d = " + d + u"."
                                                 : u"m = d/e при d = " + d + u", e = " + e + u".";
    case Kind::T:
        return branch_ == Branch::ZeroPivot        ? u"при e = 0 t = 1."
               : branch_ == Branch::CellNotSmaller ? u"t = ±1/(|m| + √(m² + 1)) со знаком m при m = " + m + u"."
                                                   : u"t = m/(1 + √(m² + 1)) при m = " + m + u".";
    case Kind::P:
        return branch_ == Branch::ZeroPivot ? u"при e = 0 p = d = " + d + u"."
               : branch_ == Branch::CellNotSmaller
                   ? u"p = ±|d|·√(m² + 1) со знаком e при d = " + d + u", m = " + m + u", e = " + e + u"."
                   : u"p = e·√(m² + 1) при e = " + e + u", m = " + m + u".";
    case Kind::C:
        return u"c = (1 − t²)/(1 + t²) при t = " + t + u".";
    case Kind::S:
        return u"s = 2t/(1 + t²) при t = " + t + u".";
    case Kind::RowI:
        return ki + u" := s·" + kj + u" + c·" + ki + u" при s = " + number(s_) + u", " + kj + u" = " + at(item.k, j)
               + u", c = " + number(c_) + u", " + ki + u" = " + at(item.k, i) + u".";
    case Kind::RowJ:
        return kj + u" := c·" + kj + u" − s·" + ki + u" при c = " + number(c_) + u", " + kj + u" = " + at(item.k, j)
               + u", s = " + number(s_) + u", " + ki + u" = " + at(item.k, i) + u".";
    case Kind::Pivot:
        return u"сравните |L" + cell(j, j) + u"| = " + number(std::abs(a_[j - 1][j - 1])) + u" с порогом "
               + number(solve_.threshold) + u".";
    case Kind::Y: {
        Text sum = u"y(" + index(j) + u") = (b(" + index(j) + u") − Σ L(" + index(j) + u",k)·y(k))/L" + cell(j, j)
                   + u" при b(" + index(j) + u") = " + number(x_[j - 1]);
        for (int k = 1; k < j; ++k)
            sum += u", L" + cell(j, k) + u" = " + at(j, k) + u", y(" + index(k) + u") = " + number(x_[k - 1]);
        return sum + u", L" + cell(j, j) + u" = " + at(j, j) + u".";
    }
    case Kind::XI:
    case Kind::XJ: {
        const Text xi = u"x(" + index(i) + u")", xj = u"x(" + index(j) + u")";
        const Text rule = item.kind == Kind::XI ? xi + u" := c·" + xi + u" − s·" + xj : xj + u" := s·" + xi + u" + c·" + xj;
        return rule + u", c и s из t = A" + cell(i, j) + u" = " + at(i, j) + u", при " + xi + u" = " + number(x_[i - 1])
               + u", " + xj + u" = " + number(x_[j - 1]) + u".";
    }
    case Kind::Unknown:
        return u"Х" + index(item.k) + u" — это x(" + index(item.k)
               + u") после всех обратных вращений, от последнего вращения к первому, начиная с y прямой подстановки.";
    }
    return Text();
}

// The solve's own value of a value, where the solve has one.
std::optional<double> Practice::truth(const Item& item) const
{
    const Step& step = steps_[step_];
    const SolveRecord& record = solve_.record;
    if (step.kind == Step::Kind::Rotation) {
        const auto made = std::find_if(record.rotations.begin(), record.rotations.end(), [&](const auto& rotation) {
            return rotation.made && rotation.i == step.i && rotation.j == step.j;
        });
        if (made == record.rotations.end())
            return std::nullopt;
        const RotationObserver::Step& turn = made->step;
        switch (item.kind) {
        case Kind::M:
            return turn.m;
        case Kind::T:
            return turn.t;
        case Kind::P:
            return turn.p;
        case Kind::C:
            return turn.c;
        case Kind::S:
            return turn.s;
        default:
            break;
        }
        for (const auto& [k, turned] : made->rows) {
            if (k == item.k)
                return item.kind == Kind::RowI ? turned.first : turned.second;
        }
        return std::nullopt;
    }
    if (item.kind == Kind::Pivot && std::size_t(item.k) <= record.substitutions.size())
        return record.substitutions[std::size_t(item.k) - 1].first;
    if (item.kind == Kind::Pivot && record.failedPivot && record.failedPivot->first == item.k)
        return record.failedPivot->second;
    if (item.kind == Kind::Unknown && std::size_t(item.k) <= record.x.size())
        return record.x[std::size_t(item.k) - 1];
    if (item.kind == Kind::Y && std::size_t(step.j) <= record.substitutions.size())
        return record.substitutions[std::size_t(step.j) - 1].second;
    for (const SolveRecord::BackRotation& back : record.backRotations) {
        if (back.i == step.i && back.j == step.j && (item.kind == Kind::XI || item.kind == Kind::XJ))
            return item.kind == Kind::XI ? back.xi : back.xj;
    }
    return std::nullopt;
}

// A number is right where it agrees, to the digits typed, with the formula
// on the student's own accepted values, or with the solve's own value: a
// student who carried more digits than were typed is not called wrong.
Judgement Practice::judged(std::u16string_view typed, const Item& item) const
{
    if (item.kind == Kind::Case || item.kind == Kind::Pivot)
        return platform::trimmedCell(typed) == choices(item)[std::size_t(expected(item))] ? Judgement::Right
                                                                                         : Judgement::Wrong;
    const Judgement own = judge(typed, expected(item), format_);
    const auto solved = truth(item);
    return solved && judge(typed, *solved, format_) == Judgement::Right ? Judgement::Right : own;
}

// Where the student's rounded values lead elsewhere than the solve's own:
// once for a number that has drifted; every time a pivot's test comes out
// otherwise than the solve's, which stops or goes on where the student does not.
Text Practice::driftOf(const Item& item, double value, double unit)
{
    const auto solved = truth(item);
    if (!solved)
        return Text();
    if (item.kind == Kind::Pivot) {
        const bool below = std::abs(*solved) < solve_.threshold;
        if (below == (value == 1))
            return Text();
        const Text l = u"|L" + cell(item.k, item.k) + u"|";
        return u"По точным числам " + l + u" = " + writeShort(std::abs(*solved), 6, format_)
               + (below ? u" меньше порога: программа здесь остановилась бы." : u" не меньше порога: программа здесь продолжила бы.")
               + u" Ваши округлённые числа дают " + number(std::abs(a_[item.k - 1][item.k - 1])) + u"; дальше считается от них.";
    }
    if (driftTold_ || std::abs(*solved - value) <= unit)
        return Text();
    driftTold_ = true;
    return u"Ваши принятые числа разошлись с точным решением из-за округлений: точное значение здесь "
           + writeShort(*solved, 6, format_) + u". Ваше значение верно при ваших числах; дальше считается от них.";
}

Verdict Practice::answer(std::u16string_view typed)
{
    Item& item = steps_[step_].items[item_];
    Verdict verdict;
    verdict.judgement = judged(typed, item);
    switch (verdict.judgement) {
    case Judgement::NotANumber:
        verdict.words = u"Это не число; наберите его с десятичным разделителем «" + format_.decimalSeparator + u"».";
        return verdict;
    case Judgement::TooFewDigits:
        verdict.words = u"Нужно не меньше трёх значащих цифр, если значение не точное.";
        return verdict;
    case Judgement::Wrong:
        ++item.tries;
        item.wrongOnce = true;
        verdict.words = u"неверно: " + formula(item);
        return verdict;
    case Judgement::Right:
        break;
    }
    verdict.words = u"верно.";
    const bool isNumber = item.kind != Kind::Case && item.kind != Kind::Pivot;
    const auto typedValue = typedNumber(typed, format_);
    const double value = isNumber ? typedValue->value : expected(item);
    verdict.drift = driftOf(item, value, isNumber ? typedValue->unit : 0);
    if (!verdict.drift.empty())
        drifts_.push_back(item.name + u": " + verdict.drift);
    const Item::Mark mark = item.tries == 0 ? Item::Mark::FirstTry : Item::Mark::LaterTry;
    ++item.tries;
    // The case brings the rotation's values into the step: item is not used after.
    accept(item, value, platform::trimmedCell(typed), mark);
    advance();
    enter();
    return verdict;
}

Verdict Practice::show()
{
    Item& item = steps_[step_].items[item_];
    const double want = expected(item);
    const bool isChoice = item.kind == Kind::Case || item.kind == Kind::Pivot;
    const Text shown = isChoice ? choices(item)[std::size_t(want)] : number(want);
    Verdict verdict{Judgement::Right, u"показано: " + item.name + (isChoice ? u" — " : u" = ") + shown + u".", {}};
    accept(item, want, shown, Item::Mark::Shown);
    advance();
    enter();
    return verdict;
}

// The value accepted becomes the student's: the matrix, the vector, the
// rotation's numbers change with it.
void Practice::accept(Item& item, double value, const Text& answer, Item::Mark mark)
{
    item.mark = mark;
    item.answer = answer;
    item.value = value;
    Step& step = steps_[step_];
    const int i = step.i, j = step.j;
    switch (item.kind) {
    case Kind::Case:
        noRotation_ = value == 0;
        branch_ = value == 1 ? Branch::ZeroPivot : value == 2 ? Branch::CellNotSmaller : Branch::CellSmaller;
        fillRotation(step);
        if (noRotation_)
            tangents_[i - 1][j - 1] = true;
        break;
    case Kind::M:
        m_ = value;
        break;
    case Kind::T:
        t_ = value;
        a_[i - 1][j - 1] = value;
        tangents_[i - 1][j - 1] = true;
        break;
    case Kind::P:
        p_ = value;
        a_[i - 1][i - 1] = value;
        break;
    case Kind::C:
        c_ = value;
        break;
    case Kind::S:
        s_ = value;
        break;
    case Kind::RowI:
        break;  // stands until its pair is accepted: A(k,j) is turned from the old A(k,i)
    case Kind::RowJ:
        a_[item.k - 1][i - 1] = step.items[item_ - 1].value;
        a_[item.k - 1][j - 1] = value;
        break;
    case Kind::Pivot:
        stopped_ = value == 1;
        break;
    case Kind::Y:
        x_[j - 1] = value;
        y_[j - 1] = value;
        break;
    case Kind::XI:
        break;  // the same: x(j) is turned from the old x(i)
    case Kind::XJ:
        x_[i - 1] = step.items[item_ - 1].value;
        x_[j - 1] = value;
        break;
    case Kind::Unknown:
        break;
    }
}

void Practice::advance()
{
    if (stopped_)
        return;
    if (++item_ < steps_[step_].items.size())
        return;
    item_ = 0;
    ++step_;
}

std::vector<Text> Practice::summary() const
{
    int first = 0, later = 0, shown = 0;
    // The first wrong value of each kind, and where.
    const std::pair<std::vector<Kind>, Text> kinds[] = {
        {{Kind::T}, u"Первое неверное t: "},
        {{Kind::P}, u"Первое неверное p: "},
        {{Kind::RowI, Kind::RowJ}, u"Первое неверное значение строк ниже: "},
        {{Kind::Y}, u"Первое неверное y: "},
        {{Kind::XI, Kind::XJ, Kind::Unknown}, u"Первое неверное x: "},
    };
    std::vector<Text> wrong(std::size(kinds));
    for (const Step& step : steps_) {
        for (const Item& item : step.items) {
            first += item.mark == Item::Mark::FirstTry ? 1 : 0;
            later += item.mark == Item::Mark::LaterTry ? 1 : 0;
            shown += item.mark == Item::Mark::Shown ? 1 : 0;
            for (std::size_t k = 0; k < std::size(kinds); ++k) {
                const auto& [of, label] = kinds[k];
                if (item.wrongOnce && wrong[k].empty() && std::find(of.begin(), of.end(), item.kind) != of.end())
                    wrong[k] = label + item.name + u".";
            }
        }
    }
    std::vector<Text> lines = {u"Верно с первой попытки: " + index(first) + u"; верно не с первой: " + index(later)
                               + u"; показано: " + index(shown) + u"."};
    std::copy_if(wrong.begin(), wrong.end(), std::back_inserter(lines), [](const Text& line) { return !line.empty(); });
    if (lines.size() == 1)
        lines.push_back(u"Неверных ответов не было.");
    if (solve_.record.solved && !solve_.record.stopped) {
        Text solution = u"Решение программы:";
        for (std::size_t j = 0; j < solve_.record.x.size(); ++j)
            solution += (j ? u"; Х" : u" Х") + index(int(j) + 1) + u" = " + number(solve_.record.x[j]);
        lines.push_back(solution + u".");
    } else if (solve_.record.failedPivot) {
        const int j = solve_.record.failedPivot->first;
        lines.push_back(u"Программа на этой системе останавливается: |L" + cell(j, j) + u"| меньше порога.");
    }
    if (stopped_)
        lines.insert(lines.begin(), u"Ведущий элемент меньше порога: решение остановлено.");
    if (overflowed_)
        lines.insert(lines.begin(), u"Вычисление остановлено: переполнение.");
    return lines;
}

std::vector<Text> Practice::report(const Text& date) const
{
    std::vector<Text> lines = {u"Практика: решение системы линейных уравнений методом вращений", u"Дата: " + date,
                               u"Студент: ________________________________________", Text()};
    for (const Text& line : systemLines(solve_, [this](double value) { return number(value); }))
        lines.push_back(line);
    lines.insert(lines.end(), {Text(), u"Проверялось: " + levelWords(level_) + u"."});
    if (firstRotation_ > 0 && !steps_.empty())
        lines.push_back(u"Начато с вращения " + cell(steps_.front().i, steps_.front().j)
                        + u"; вращения до него сделала программа.");
    if (!done())
        lines.push_back(u"Практика не окончена: остановлена на шаге «" + steps_[step_].title + u"».");
    for (const Step& step : steps_) {
        if (std::none_of(step.items.begin(), step.items.end(), [](const Item& item) {
                return item.asked && item.mark != Item::Mark::Open;
            }))
            continue;
        lines.push_back(Text());
        lines.push_back(step.title + u":");
        for (const Item& item : step.items) {
            if (item.asked && item.mark != Item::Mark::Open)
                lines.push_back(u"  " + item.name + u": " + item.answer + u" — " + markWords(item) + u".");
        }
    }
    if (!drifts_.empty())
        lines.push_back(Text());
    for (const Text& drift : drifts_) {
        for (const Text& line : wrapped(drift, 80))
            lines.push_back(line);
    }
    lines.push_back(Text());
    for (const Text& line : summary())
        lines.push_back(line);
    lines.push_back(Text());
    for (const Text& line : wrapped(u"Правило проверки: " + Rule, 80))
        lines.push_back(line);
    return lines;
}

std::vector<Text> introduction(const SolveDocument& solve, const platform::NumberFormat& format)
{
    const auto number = [&](double value) { return platform::writeGeneral(value, format); };
    std::vector<Text> lines = systemLines(solve, number);
    for (auto legend : {course_words::rotationLegend(), course_words::substitutionLegend(number(solve.threshold)),
                        course_words::backRotationLegend()}) {
        // The course's legends end in a colon before their tables; here no table follows.
        if (legend.back().ends_with(u':'))
            legend.back().back() = u'.';
        lines.emplace_back();
        lines.insert(lines.end(), legend.begin(), legend.end());
    }
    lines.emplace_back();
    for (const Text& line : wrapped(Rule, 80))
        lines.push_back(line);
    return lines;
}

// The numbers the current value is computed from, as the matrix and the
// vector hold them.
std::vector<Text> Practice::given() const
{
    const Step& step = steps_[step_];
    const int i = step.i, j = step.j;
    const auto at = [&](int row, int column) { return number(a_[row - 1][column - 1]); };
    switch (step.kind) {
    case Step::Kind::Rotation:
        return {u"d = A" + cell(i, j) + u" = " + number(d_) + u"; e = A" + cell(i, i) + u" = " + number(e_) + u"."};
    case Step::Kind::Substitution: {
        Text row = u"строка " + index(j) + u": ";
        for (int k = 1; k <= j; ++k)
            row += u"L" + cell(j, k) + u" = " + at(j, k) + u"; ";
        row += u"b(" + index(j) + u") = " + number(solve_.b(j).value());
        for (int k = 1; k < j; ++k)
            row += u"; y(" + index(k) + u") = " + number(x_[k - 1]);
        return {row + u"."};
    }
    case Step::Kind::BackRotation:
        return {u"t = A" + cell(i, j) + u" = " + at(i, j) + u"; x(" + index(i) + u") = " + number(x_[i - 1]) + u"; x("
                + index(j) + u") = " + number(x_[j - 1]) + u"."};
    case Step::Kind::Unknowns:
        break;
    }
    return {u"Неизвестные — это x после всех обратных вращений."};
}

CourseStep::Table Practice::matrixTable(bool marked) const
{
    CourseStep::Table table;
    table.caption = steps_.empty() || step_ >= steps_.size() || steps_[step_].kind == Step::Kind::Rotation
                        ? u"матрица по вашим числам"
                        : u"L и тангенсы t по вашим числам";
    for (int j = 1; j <= solve_.n; ++j)
        table.headers.push_back(index(j));
    for (const auto& row : a_)
        table.rows.emplace_back(row.begin(), row.end());
    table.tangents = tangents_;
    if (!marked)
        return table;
    const Step& step = steps_[step_];
    const Item& now = current();
    const int i = step.i - 1, j = step.j - 1;
    using Style = CourseStep::Style;
    switch (step.kind) {
    case Step::Kind::Rotation:
        table.markedColumns = {i, j};
        table.markedFromRow = i;
        if (now.kind == Kind::RowI || now.kind == Kind::RowJ)
            table.marks = {{now.k - 1, now.kind == Kind::RowI ? i : j, Style::Cell, u"?"}};
        else
            table.marks = {{i, j, Style::Cell, tangents_[i][j] ? u"t" : u"d"}, {i, i, Style::Cell, now.kind == Kind::Case || now.kind == Kind::M || now.kind == Kind::T ? u"e" : u"p"}};
        for (const Item& item : step.items) {
            if (item.kind == Kind::RowJ && item.mark != Item::Mark::Open) {
                table.marks.push_back({item.k - 1, i, Style::Changed, Text()});
                table.marks.push_back({item.k - 1, j, Style::Changed, Text()});
            }
        }
        break;
    case Step::Kind::Substitution:
        table.marks = {{j, j, Style::Cell, u"L"}};
        break;
    case Step::Kind::BackRotation:
        table.marks = {{step.i - 1, j, Style::Cell, u"t"}};
        break;
    case Step::Kind::Unknowns:
        break;
    }
    return table;
}

// The vector beside the matrix: b while the columns turn; b and y in the
// substitution; y and x in the back rotations; at the end b and the
// unknowns as the student gives them.
CourseStep::Table Practice::vectorTable() const
{
    const Step::Kind kind = done() ? Step::Kind::Unknowns : steps_[step_].kind;
    std::vector<std::optional<double>> b, x(x_.begin(), x_.end()), answered(y_.size());
    for (int i = 1; i <= solve_.n; ++i)
        b.push_back(solve_.b(i).value());
    CourseStep::Table table;
    const auto column = [&](const Text& header, const std::vector<std::optional<double>>& values) {
        table.headers.push_back(header);
        table.rows.resize(values.size());
        for (std::size_t k = 0; k < values.size(); ++k)
            table.rows[k].push_back(values[k]);
    };
    switch (kind) {
    case Step::Kind::Rotation:
        column(u"b", b);
        break;
    case Step::Kind::Substitution:
        column(u"b", b);
        column(u"y", y_);
        break;
    case Step::Kind::BackRotation:
        column(u"y", y_);
        column(u"x", x);
        break;
    case Step::Kind::Unknowns:
        for (const Item& item : steps_.back().items)
            answered[std::size_t(item.k) - 1] = item.mark == Item::Mark::Open ? std::nullopt : std::optional(item.value);
        column(u"b", b);
        column(u"x", answered);
        break;
    }
    return table;
}

CourseStep Practice::picture(std::size_t shown) const
{
    CourseStep drawn;
    const bool atIt = !done() && shown == step_;
    drawn.tables = {matrixTable(atIt), vectorTable()};
    if (shown >= steps_.size()) {
        drawn.kind = CourseStep::Kind::Unknowns;
        drawn.title = u"Итог";
        drawn.text = summary();
        drawn.note = stopped_ ? u"|L| меньше порога" : overflowed_ ? u"переполнение" : u"решено";
        return drawn;
    }
    const Step& step = steps_[shown];
    const CourseStep::Kind kinds[] = {CourseStep::Kind::Rotation, CourseStep::Kind::Substitution,
                                      CourseStep::Kind::BackRotation, CourseStep::Kind::Unknowns};
    drawn.kind = kinds[static_cast<int>(step.kind)];
    drawn.i = step.i;
    drawn.j = step.j;
    drawn.title = step.title;
    drawn.text = atIt ? given() : std::vector<Text>{u"Шаг выполнен."};
    drawn.note = atIt ? prompt(current()) : u"выполнено";
    return drawn;
}

// What the picture asks, short, so that its size does not jump from one
// value to the next: "t = ?", "A(3,1) = ?", "x(2) = ?".
Text Practice::prompt(const Item& item) const
{
    const Step& step = steps_[step_];
    switch (item.kind) {
    case Kind::Case:
        return u"случай?";
    case Kind::Pivot:
        return u"|L| ≥ порога?";
    case Kind::RowI:
        return u"A" + cell(item.k, step.i) + u" = ?";
    case Kind::RowJ:
        return u"A" + cell(item.k, step.j) + u" = ?";
    case Kind::Y:
        return u"y(" + index(step.j) + u") = ?";
    case Kind::XI:
        return u"x(" + index(step.i) + u") = ?";
    case Kind::XJ:
        return u"x(" + index(step.j) + u") = ?";
    case Kind::Unknown:
        return u"Х" + index(item.k) + u" = ?";
    default:
        break;
    }
    return item.name.substr(0, item.name.find(u' ')) + u" = ?";
}

}  // namespace practice
