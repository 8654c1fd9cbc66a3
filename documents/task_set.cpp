#include "documents/task_set.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "documents/solve_document.h"
#include "documents/system_file_format.h"
#include "platform/runtime/utf8.h"

namespace tasks {

namespace {

using Text = std::u16string;

Text index(int i)
{
    return platform::utf16(std::to_string(i));
}

// SplitMix64: a small generator of 64-bit integers whose sequence is fixed
// by its arithmetic alone, the same with every compiler.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number from low to high, each as likely: a draw that would
    // favour the low ones (the last, short stretch of the 64-bit range) is
    // drawn again.
    int between(int low, int high)
    {
        const std::uint64_t span = std::uint64_t(high - low) + 1;
        const std::uint64_t unfair = (0 - span) % span;  // 2^64 mod span
        std::uint64_t drawn = next();
        while (drawn < unfair)
            drawn = next();
        return low + int(drawn % span);
    }

private:
    std::uint64_t state_;
};

// A number of the kind chosen, in tenths: from -9 to 9, or -9,9 to 9,9.
int drawn(Draw& draw, Numbers kind)
{
    return kind == Numbers::Whole ? 10 * draw.between(-9, 9) : draw.between(-99, 99);
}

// The seed of a set: its number with the choices that shape its variants.
std::uint64_t seedOf(const Choices& choices)
{
    return choices.setNumber * 0x100000001B3ULL ^ (std::uint64_t(choices.n) << 56)
           ^ (std::uint64_t(choices.coefficients == Numbers::OneDecimal) << 48)
           ^ (std::uint64_t(choices.solution == Numbers::OneDecimal) << 40)
           ^ (std::uint64_t(choices.specialCases) << 32);
}

// Which special case variant k (from 0) has: every fourth a cell already
// zero, every fourth after the second a quarter turn.
Variant::Special specialOf(int k, bool specialCases)
{
    if (!specialCases)
        return Variant::Special::None;
    return k % 4 == 1 ? Variant::Special::ZeroCell : k % 4 == 3 ? Variant::Special::QuarterTurn : Variant::Special::None;
}

Variant draft(Draw& draw, const Choices& choices, int k)
{
    const int n = choices.n;
    Variant variant;
    variant.number = k + 1;
    variant.special = specialOf(k, choices.specialCases);
    variant.a.assign(std::size_t(n), std::vector<int>(std::size_t(n)));
    for (auto& row : variant.a) {
        for (int& cell : row)
            cell = drawn(draw, choices.coefficients);
    }
    if (variant.special == Variant::Special::ZeroCell)
        variant.a[0][1] = 0;
    if (variant.special == Variant::Special::QuarterTurn)
        variant.a[0][0] = 0;
    for (int j = 0; j < n; ++j)
        variant.x.push_back(drawn(draw, choices.solution));
    for (const auto& row : variant.a) {
        long long sum = 0;
        for (int j = 0; j < n; ++j)
            sum += (long long)row[std::size_t(j)] * variant.x[std::size_t(j)];
        variant.b.push_back(sum);
    }
    return variant;
}

SolveDocument solveOf(const Variant& variant)
{
    const int n = int(variant.x.size());
    CoefficientMatrix a;
    EquationVector b;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            a(i, j) = variant.a[std::size_t(i - 1)][std::size_t(j - 1)] / 10.0;
        b(i) = double(variant.b[std::size_t(i - 1)]) / 100.0;
    }
    return documentOfSolve(a, b, n, PivotThreshold);
}

std::vector<std::vector<double>> matrixOf(const Variant& variant)
{
    std::vector<std::vector<double>> a;
    for (const auto& row : variant.a) {
        a.emplace_back();
        for (const int cell : row)
            a.back().push_back(cell / 10.0);
    }
    return a;
}

// A d or an e this close to zero is one that exact arithmetic makes zero
// and rounding leaves over: a student working by hand would meet a special
// case there that the answer key does not show, with the other sign of t.
constexpr double ClearOfZero = 1e-6;

// The rotations a variant's solve makes have the case it was drawn for in
// the first, and none of the special ones anywhere else, not even nearly.
bool casesAsDrawn(const Variant& variant, const SolveRecord& record)
{
    for (const SolveRecord::Rotation& rotation : record.rotations) {
        const bool first = rotation.i == 1 && rotation.j == 2;
        const Variant::Special met = !rotation.made ? Variant::Special::ZeroCell
                                     : rotation.step.branch == RotationObserver::Branch::ZeroPivot
                                         ? Variant::Special::QuarterTurn
                                         : Variant::Special::None;
        if (met != (first ? variant.special : Variant::Special::None))
            return false;
        if (met == Variant::Special::None
            && (std::abs(rotation.step.d) < ClearOfZero || std::abs(rotation.step.e) < ClearOfZero))
            return false;
    }
    return true;
}

// The variant is kept: far from singular, solved by the program to twelve
// digits, its cases as drawn, its solution not all zero.
bool fit(const Variant& variant)
{
    if (std::all_of(variant.x.begin(), variant.x.end(), [](int value) { return value == 0; }))
        return false;
    if (!(conditionNumber(matrixOf(variant)) <= ConditionBound))
        return false;
    const SolveDocument solve = solveOf(variant);
    const SolveRecord& record = solve.record;
    if (!record.solved || record.stopped || !casesAsDrawn(variant, record))
        return false;
    for (const auto& [pivot, y] : record.substitutions) {
        if (std::abs(pivot) < PivotFloor)
            return false;
    }
    double largest = 1;
    for (const int value : variant.x)
        largest = std::max(largest, std::abs(value) / 10.0);
    for (std::size_t j = 0; j < variant.x.size(); ++j) {
        if (std::abs(record.x[j] - variant.x[j] / 10.0) > 1e-12 * largest)
            return false;
    }
    return true;
}

bool sameSystem(const Variant& one, const Variant& other)
{
    return one.a == other.a && one.x == other.x;
}

}  // namespace

std::vector<Variant> makeSet(const Choices& choices, const std::function<void(int)>& progress)
{
    Draw draw(seedOf(choices));
    std::vector<Variant> set;
    for (int k = 0; k < choices.count; ++k) {
        Variant variant = draft(draw, choices, k);
        while (!fit(variant) || std::any_of(set.begin(), set.end(), [&](const Variant& made) {
                   return sameSystem(made, variant);
               }))
            variant = draft(draw, choices, k);
        set.push_back(std::move(variant));
        if (progress)
            progress(k + 1);
    }
    return set;
}

Text exactText(long long scaled, int decimals, const platform::NumberFormat& format)
{
    long long unit = 1;
    for (int k = 0; k < decimals; ++k)
        unit *= 10;
    const unsigned long long whole = (unsigned long long)std::llabs(scaled) / unit;
    unsigned long long part = (unsigned long long)std::llabs(scaled) % unit;
    Text written = (scaled < 0 ? format.negativeSign : Text()) + platform::utf16(std::to_string(whole));
    if (part == 0)
        return written;
    std::string digits = std::to_string(part + (unsigned long long)unit).substr(1);  // leading zeros kept
    digits.erase(digits.find_last_not_of('0') + 1);
    return written + format.decimalSeparator + platform::utf16(digits);
}

std::vector<Text> equations(const Variant& variant, const platform::NumberFormat& format)
{
    const std::size_t n = variant.x.size();
    // Each unknown's coefficients written, the first with its sign, the
    // others as magnitudes after the sign between; and the widest of each.
    std::vector<std::vector<Text>> terms(n);
    std::vector<std::size_t> widths(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const int cell = variant.a[i][j];
            terms[i].push_back(exactText(j == 0 ? cell : std::abs(cell), 1, format));
            widths[j] = std::max(widths[j], terms[i][j].size());
        }
    }
    std::vector<Text> lines;
    for (std::size_t i = 0; i < n; ++i) {
        Text line;
        for (std::size_t j = 0; j < n; ++j) {
            if (j > 0)
                line += variant.a[i][j] < 0 ? u" − " : u" + ";
            line += Text(widths[j] - terms[i][j].size(), u' ') + terms[i][j] + u"·Х" + index(int(j) + 1);
        }
        lines.push_back(line + u" = " + exactText(variant.b[i], 2, format));
    }
    return lines;
}

std::vector<std::vector<Text>> systemRows(const Variant& variant, const platform::NumberFormat& format)
{
    const std::size_t n = variant.x.size();
    std::vector<std::vector<Text>> rows = {system_file::columnNames(int(n))};
    for (std::size_t i = 0; i < n; ++i) {
        rows.emplace_back();
        for (const int cell : variant.a[i])
            rows.back().push_back(exactText(cell, 1, format));
        rows.back().push_back(exactText(variant.b[i], 2, format));
    }
    return rows;
}

std::vector<std::vector<Text>> answerRows(const std::vector<Variant>& set, const platform::NumberFormat& format)
{
    std::vector<std::vector<Text>> rows(1, {u"Вариант"});
    if (!set.empty()) {  // the unknowns' names, as over a saved system, without its b
        const std::vector<Text> names = system_file::columnNames(int(set.front().x.size()));
        rows[0].insert(rows[0].end(), names.begin(), names.end() - 1);
    }
    for (const Variant& variant : set) {
        rows.push_back({index(variant.number)});
        for (const int value : variant.x)
            rows.back().push_back(exactText(value, 1, format));
    }
    return rows;
}

Text fourDecimals(double value, const platform::NumberFormat& format)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4).ptr;
    std::string written(buffer, end);
    if (written == "-0.0000")
        written = "0.0000";
    Text text;
    for (const char c : written)
        text += c == '.' ? format.decimalSeparator : c == '-' ? format.negativeSign : Text(1, char16_t(c));
    return text;
}

std::vector<Text> answerKey(const std::vector<Variant>& set, const platform::NumberFormat& format)
{
    std::vector<Text> lines;
    for (const Variant& variant : set) {
        const SolveDocument solve = solveOf(variant);
        lines.push_back(u"Вариант " + index(variant.number));
        Text unknowns = u"  ";
        for (std::size_t j = 0; j < variant.x.size(); ++j)
            unknowns += (j ? u"; Х" : u"Х") + index(int(j) + 1) + u" = " + exactText(variant.x[j], 1, format);
        lines.push_back(unknowns);
        for (const SolveRecord::Rotation& rotation : solve.record.rotations) {
            const Text name = u"  вращение (" + index(rotation.i) + u"," + index(rotation.j) + u"): ";
            const bool quarter = rotation.made && rotation.step.branch == RotationObserver::Branch::ZeroPivot;
            lines.push_back(rotation.made ? name + u"t = " + fourDecimals(rotation.step.t, format) + u"; p = "
                                                + fourDecimals(rotation.step.p, format)
                                                + (quarter ? u" (e = 0, вращение на 90°)" : u"")
                                          : name + u"d = 0, вращение не нужно");
        }
        Text diagonal = u"  диагональ L:";
        for (std::size_t j = 0; j < solve.record.substitutions.size(); ++j)
            diagonal += (j ? u";" : u"") + Text(u" ") + fourDecimals(solve.record.substitutions[j].first, format);
        lines.push_back(diagonal);
        lines.emplace_back();
    }
    if (!lines.empty())
        lines.pop_back();
    return lines;
}

double conditionNumber(const std::vector<std::vector<double>>& a)
{
    const std::size_t n = a.size();
    // Gauss–Jordan with partial pivoting on [A | I].
    std::vector<std::vector<double>> work(n, std::vector<double>(2 * n, 0.0));
    double norm = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double row = 0;
        for (std::size_t j = 0; j < n; ++j) {
            work[i][j] = a[i][j];
            row += std::abs(a[i][j]);
        }
        work[i][n + i] = 1;
        norm = std::max(norm, row);
    }
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t i = col + 1; i < n; ++i) {
            if (std::abs(work[i][col]) > std::abs(work[pivot][col]))
                pivot = i;
        }
        if (std::abs(work[pivot][col]) < 1e-12 * std::max(norm, 1.0))
            return std::numeric_limits<double>::infinity();
        std::swap(work[pivot], work[col]);
        const double divisor = work[col][col];
        for (double& cell : work[col])
            cell /= divisor;
        for (std::size_t i = 0; i < n; ++i) {
            if (i == col || work[i][col] == 0)
                continue;
            const double factor = work[i][col];
            for (std::size_t j = 0; j < 2 * n; ++j)
                work[i][j] -= factor * work[col][j];
        }
    }
    double inverse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double row = 0;
        for (std::size_t j = n; j < 2 * n; ++j)
            row += std::abs(work[i][j]);
        inverse = std::max(inverse, row);
    }
    return norm * inverse;
}

}  // namespace tasks
