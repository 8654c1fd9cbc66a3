#include <cmath>

#include <gtest/gtest.h>

#include "solver/error_figure.h"

namespace {

struct System {
    CoefficientMatrix a;
    EquationVector b;
    EquationVector x;
};

System system(const std::vector<std::vector<double>>& a, const std::vector<double>& b, const std::vector<double>& x)
{
    System s;
    for (std::size_t i = 0; i < b.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j)
            s.a(int(i + 1), int(j + 1)) = a[i][j];
        s.b(int(i + 1)) = b[i];
        s.x(int(i + 1)) = x[i];
    }
    return s;
}

double figure(const System& s, int n)
{
    return errorFigure(s.a, s.b, s.x, n).value();
}

TEST(ErrorFigure, SumsTheRelativeResidualsInPercent)
{
    // Residuals of 1, 2 and 3 per mille of the left-hand sides: 0.6 %, not the largest or the mean.
    const System s = system({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {999, 998, 997}, {1000, 1000, 1000});
    EXPECT_DOUBLE_EQ(figure(s, 3), 0.6);
    EXPECT_DOUBLE_EQ(equationError(s.a, s.b, s.x, 3, 2).term.value(), 0.2);
    EXPECT_EQ(equationError(s.a, s.b, s.x, 3, 2).leftHandSide.value(), 1000.0);
}

TEST(ErrorFigure, WorkedExampleGivesItsTinyFigureFromTheSolutionItself)
{
    const System s = system({{3, 4}, {1, 2}}, {7, 3}, {1.0, 0.9999999999999998});
    const double s1 = 3.0 + 4.0 * 0.9999999999999998, s2 = 1.0 + 2.0 * 0.9999999999999998;
    EXPECT_EQ(figure(s, 2), std::fabs((s1 - 7.0) / s1) * 100.0 + std::fabs((s2 - 3.0) / s2) * 100.0);
}

TEST(ErrorFigure, RightHandSideZeroWithALeftHandSideNotZeroAddsAHundred)
{
    EXPECT_EQ(figure(system({{1, 0}, {0, 1}}, {0, 1}, {1E-20, 1}), 2), 100.0);
}

TEST(ErrorFigure, LeftHandSideOfExactlyZeroIsMeasuredAgainstTheRightHandSide)
{
    // 1 - 1 = 0 against 5: all of it missed, 100 %; 0 against 0: met, and no 0/0.
    EXPECT_EQ(figure(system({{1, -1}, {1, -1}}, {5, 0}, {1, 1}), 2), 100.0);
    EXPECT_EQ(figure(system({{3, 4}, {1, 2}}, {0, 0}, {0, 0}), 2), 0.0);
}

TEST(ErrorFigure, OverflowingLeftHandSideRaisesTheOverflowError)
{
    const System s = system({{1E308, -1E308}, {1, 0}}, {0, 2}, {2, 2});
    try {
        figure(s, 2);
        FAIL() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::error::Overflow);
    }
}

}  // namespace
