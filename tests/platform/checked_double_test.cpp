#include <cmath>

#include <gtest/gtest.h>

#include "platform/checked_double.h"

using platform::CheckedDouble;

namespace {

// The error a computation raises once its result is stored, or 0.
int errorNumberOf(auto&& step)
{
    try {
        const CheckedDouble stored = step();
        (void)stored;
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(CheckedArithmetic, OverflowRaisesTheOverflowError)
{
    const CheckedDouble big = 1E308;
    EXPECT_EQ(errorNumberOf([&] { return big * 10.0; }), platform::error::Overflow);
    EXPECT_EQ(errorNumberOf([&] { return big + big; }), platform::error::Overflow);
    EXPECT_EQ(errorNumberOf([&] { return -big - big; }), platform::error::Overflow);
    EXPECT_EQ(errorNumberOf([&] { return big / 1E-10; }), platform::error::Overflow);
}

TEST(CheckedArithmetic, AnOverflowInsideAChainIsNeverLost)
{
    // Infinities and NaNs stay non-finite through + - and *, so the check at
    // the end of the chain raises what a check after each step would.
    const CheckedDouble big = 1E308;
    EXPECT_EQ(errorNumberOf([&] { return big * 10.0 - big * 10.0; }), platform::error::Overflow);
    EXPECT_EQ(errorNumberOf([&] { return big * 10.0 * 0.0; }), platform::error::Overflow);
    EXPECT_EQ(errorNumberOf([&] { return big * 10.0 + -(big * 10.0); }), platform::error::Overflow);
    // A division takes its operands checked: 1 / (big * 10) is no quiet 0.
    EXPECT_EQ(errorNumberOf([&] { return 1.0 / (big * 10.0); }), platform::error::Overflow);
}

TEST(CheckedArithmetic, DivisionByZeroRaisesItsOwnError)
{
    EXPECT_EQ(errorNumberOf([] { return CheckedDouble(1.0) / 0.0; }), platform::error::DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { return CheckedDouble(-1.0) / -0.0; }), platform::error::DivisionByZero);
    // 0/0 is an invalid operation, which the runtime reports as an overflow.
    EXPECT_EQ(errorNumberOf([] { return CheckedDouble(0.0) / 0.0; }), platform::error::Overflow);
}

TEST(CheckedArithmetic, InvalidOperationsAreRaised)
{
    EXPECT_EQ(errorNumberOf([] { return sqrt(CheckedDouble(-1.0)); }), platform::error::InvalidCall);
    EXPECT_EQ(errorNumberOf([] { return CheckedDouble(NAN) + 1.0; }), platform::error::Overflow);
}

TEST(CheckedArithmetic, UnderflowIsSilent)
{
    EXPECT_EQ(CheckedDouble(CheckedDouble(1E-308) * 1E-10).value(), 1E-308 * 1E-10);
    EXPECT_EQ(CheckedDouble(CheckedDouble(1E-308) * 1E-100).value(), 0.0);
    EXPECT_EQ(sqrt(CheckedDouble(2.0)).value(), std::sqrt(2.0));
}

TEST(CheckedArithmetic, MultiplyAndAddAreNotFused)
{
    // With a fused multiply-add a * b + c would be -2^-54.
    const CheckedDouble a = 1.0 + 0x1p-27, b = 1.0 - 0x1p-27, c = -1.0;
    EXPECT_EQ(CheckedDouble(a * b + c).value(), 0.0);
}

}  // namespace
