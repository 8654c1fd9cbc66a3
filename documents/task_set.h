#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime/number_rules.h"

// Tasks for a class: variants of the same task, "solve the system by the
// rotation method", each a system whose solution is exactly the numbers
// drawn for it, with the answers a teacher checks a student's work by.
//
// A variant's numbers are exact: the coefficients and the solution are
// whole numbers or numbers with one decimal, kept as integers (tenths), and
// b = A·x is computed in integers (hundredths), so that the system's texts
// are exact and its solution is exactly the one drawn. A variant is kept
// only where its system is far from singular: its condition number in the
// maximum norm at most ConditionBound, every pivot |L(j,j)| of the program's
// own solve at least PivotFloor, and that solve reproducing the solution to
// twelve digits at least; and where it differs from every variant before it.
//
// A set is made again, byte for byte, from its number and the choices, on
// any machine and compiler: the numbers come from a generator of this
// program's own over 64-bit integers, not from the standard library's
// distributions, whose sequences differ between implementations. The count
// does not enter the draw: the first variants of a larger set are those of
// a smaller one.
namespace tasks {

enum class Numbers { Whole, OneDecimal };

inline constexpr int MinVariants = 1;
inline constexpr int MaxVariants = 200;
inline constexpr double ConditionBound = 100;
inline constexpr double PivotFloor = 0.01;
// The number of a set, as the teacher types it: at most nine digits.
inline constexpr std::uint64_t MaxSetNumber = 999'999'999;

struct Choices {
    int n = 3;
    int count = 25;
    Numbers coefficients = Numbers::Whole;
    Numbers solution = Numbers::Whole;
    // Some variants with a special case in their first rotation: a cell
    // already zero (d = 0, no rotation) or a zero pivot (e = 0, the quarter
    // turn). Without it, no variant has either anywhere.
    bool specialCases = false;
    std::uint64_t setNumber = 1;
};

struct Variant {
    enum class Special { None, ZeroCell, QuarterTurn };
    int number = 0;                      // from 1
    std::vector<std::vector<int>> a;     // tenths
    std::vector<int> x;                  // tenths
    std::vector<long long> b;            // hundredths
    Special special = Special::None;
};

// The variants, one after another; progress is told the count made so far.
std::vector<Variant> makeSet(const Choices& choices, const std::function<void(int made)>& progress = {});

// A count of tenths or hundredths as its exact decimal text, with the
// settings' decimal mark and no trailing zeros: 25 tenths "2,5", -300
// hundredths "-3".
std::u16string exactText(long long scaled, int decimals, const platform::NumberFormat& format);

// The equations of a variant as written by hand, "3·Х1 − 4·Х2 = 7", the
// terms of each unknown one under another in a font whose characters are
// all as wide.
std::vector<std::u16string> equations(const Variant& variant, const platform::NumberFormat& format);

// The rows of a variant's system file: the columns' names, then each
// equation's coefficients and right-hand side.
std::vector<std::vector<std::u16string>> systemRows(const Variant& variant, const platform::NumberFormat& format);

// The table of the answers: "Вариант", "Х1" … "Хn", then a row per variant.
std::vector<std::vector<std::u16string>> answerRows(const std::vector<Variant>& set,
                                                    const platform::NumberFormat& format);

// The answer key, line by line: per variant its unknowns, and for checking a
// student's work each rotation's t and p and the diagonal of L, to four
// decimals, from the program's own solve of the variant.
std::vector<std::u16string> answerKey(const std::vector<Variant>& set, const platform::NumberFormat& format);

// A number to four decimals, with the settings' mark: "0,3162", "-2,0000".
std::u16string fourDecimals(double value, const platform::NumberFormat& format);

// The condition number of a matrix in the maximum norm, ‖A‖·‖A⁻¹‖;
// infinity where the matrix is singular.
double conditionNumber(const std::vector<std::vector<double>>& a);

}  // namespace tasks
