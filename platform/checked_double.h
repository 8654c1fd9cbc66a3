#pragma once

#include <cmath>

#include "runtime_error.h"

namespace platform {

// A double whose every arithmetic step is checked the way the classic runtime
// checks it: a result beyond the double range raises the overflow error, a
// division by zero the division-by-zero error, and an invalid operation (a
// NaN result, such as 0/0) the overflow error, which is how that runtime
// reports an invalid floating-point operation. Underflow is not checked:
// results too small for a double become denormal or zero silently.
//
// The check is part of the value type, so that no step of a computation can
// skip it; constant folding or reordering cannot lose it either, as it could
// with the sticky flags of <cfenv>.
class CheckedDouble {
public:
    constexpr CheckedDouble() = default;
    constexpr CheckedDouble(double value) : value_(value) {}  // NOLINT: implicit on purpose

    constexpr double value() const { return value_; }

    friend CheckedDouble operator+(CheckedDouble a, CheckedDouble b) { return checked(a.value_ + b.value_); }
    friend CheckedDouble operator-(CheckedDouble a, CheckedDouble b) { return checked(a.value_ - b.value_); }
    friend CheckedDouble operator*(CheckedDouble a, CheckedDouble b) { return checked(a.value_ * b.value_); }
    friend CheckedDouble operator/(CheckedDouble a, CheckedDouble b)
    {
        if (b.value_ == 0.0) [[unlikely]] {
            if (a.value_ == 0.0)
                raiseOverflow();  // 0/0, an invalid operation
            raiseDivisionByZero();
        }
        return checked(a.value_ / b.value_);
    }
    friend constexpr CheckedDouble operator-(CheckedDouble a) { return CheckedDouble(-a.value_); }

    CheckedDouble& operator+=(CheckedDouble b) { return *this = *this + b; }
    CheckedDouble& operator-=(CheckedDouble b) { return *this = *this - b; }
    CheckedDouble& operator*=(CheckedDouble b) { return *this = *this * b; }
    CheckedDouble& operator/=(CheckedDouble b) { return *this = *this / b; }

    friend constexpr bool operator==(CheckedDouble a, CheckedDouble b) { return a.value_ == b.value_; }
    friend constexpr auto operator<=>(CheckedDouble a, CheckedDouble b) { return a.value_ <=> b.value_; }

private:
    static CheckedDouble checked(double result)
    {
        // An infinity is an overflow; a NaN an invalid operation.
        if (!std::isfinite(result)) [[unlikely]]
            raiseOverflow();
        return CheckedDouble(result);
    }

    double value_ = 0.0;
};

inline CheckedDouble abs(CheckedDouble a)
{
    return CheckedDouble(std::fabs(a.value()));
}

// The runtime's square root: a negative argument is an invalid procedure call.
CheckedDouble sqrt(CheckedDouble a);

}  // namespace platform
