#pragma once

#include <cmath>

#include "platform/runtime/runtime_error.h"

namespace platform {

class UncheckedSum;

// A double whose every arithmetic result is checked the way the classic
// runtime checks it: a result beyond the double range raises the overflow
// error, a division by zero the division-by-zero error, and an invalid
// operation (a NaN, such as 0/0) the overflow error, which is how that runtime
// reports an invalid floating-point operation. Underflow is not checked:
// results too small for a double become denormal or zero silently.
//
// How the check stays cheap without being skipped: a sum, difference or
// product is an UncheckedSum until it is stored, divided, compared or given
// to a function, and is checked then, before anything is stored. An infinity
// or a NaN never turns finite again through + - and *, so the one check at
// the end of a chain of them raises exactly where a check after every step
// would have raised, with the same error, and leaves the same state behind.
// Division checks its operands and its result at once, since x / inf is 0.
//
// The checks are part of the types, so no step of a computation can skip
// them; constant folding or reordering cannot lose them either, as they could
// lose the sticky flags of <cfenv>.
class CheckedDouble {
public:
    constexpr CheckedDouble() = default;
    constexpr CheckedDouble(double value) : value_(value) {}  // NOLINT: implicit on purpose
    CheckedDouble(UncheckedSum sum);                           // NOLINT: checks, implicit on purpose

    constexpr double value() const { return value_; }

    static CheckedDouble checked(double result)
    {
        // An infinity is an overflow; a NaN an invalid operation.
        if (!std::isfinite(result)) [[unlikely]]
            raiseOverflow();
        return CheckedDouble(result);
    }

private:
    double value_ = 0.0;
};

// A sum, difference or product of checked values whose check is still to come.
class [[nodiscard]] UncheckedSum {
public:
    constexpr UncheckedSum(CheckedDouble value) : value_(value.value()) {}  // NOLINT
    constexpr UncheckedSum(double value) : value_(value) {}                 // NOLINT

    constexpr double uncheckedValue() const { return value_; }

private:
    double value_;
};

// Namespace members, not hidden friends, so that checked operands find them too.
constexpr UncheckedSum operator+(UncheckedSum a, UncheckedSum b)
{
    return a.uncheckedValue() + b.uncheckedValue();
}

constexpr UncheckedSum operator-(UncheckedSum a, UncheckedSum b)
{
    return a.uncheckedValue() - b.uncheckedValue();
}

constexpr UncheckedSum operator*(UncheckedSum a, UncheckedSum b)
{
    return a.uncheckedValue() * b.uncheckedValue();
}

inline CheckedDouble operator/(CheckedDouble a, CheckedDouble b)
{
    if (b.value() == 0.0) [[unlikely]] {
        if (a.value() == 0.0)
            raiseOverflow();  // 0/0, an invalid operation
        raiseDivisionByZero();
    }
    return CheckedDouble::checked(a.value() / b.value());
}

constexpr CheckedDouble operator-(CheckedDouble a)
{
    return CheckedDouble(-a.value());
}

constexpr bool operator==(CheckedDouble a, CheckedDouble b)
{
    return a.value() == b.value();
}

constexpr auto operator<=>(CheckedDouble a, CheckedDouble b)
{
    return a.value() <=> b.value();
}

inline CheckedDouble::CheckedDouble(UncheckedSum sum) : CheckedDouble(checked(sum.uncheckedValue()))
{
}

inline CheckedDouble abs(CheckedDouble a)
{
    return CheckedDouble(std::fabs(a.value()));
}

// The runtime's square root: a negative argument is an invalid procedure call.
inline CheckedDouble sqrt(CheckedDouble a)
{
    if (a.value() < 0.0) [[unlikely]]
        raiseInvalidCall();
    return CheckedDouble::checked(std::sqrt(a.value()));
}

}  // namespace platform
