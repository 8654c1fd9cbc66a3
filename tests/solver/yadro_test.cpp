#include <cstdint>
#include <cstring>
#include <random>

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include "solver/random_systems.h"

namespace {

double a(const Peremennye& s, int i, int j)
{
    return s.matr_rassh(i, j).value();
}

double x(const Peremennye& s, int j)
{
    return s.x_resh(j).value();
}

// The worked example, to the bit.
TEST(RotationSolver, WorkedExampleLeavesTheExactBits)
{
    const Peremennye& s = solveSystem({{3, 4}, {1, 2}}, {7, 3});
    ASSERT_TRUE(s.est_resh);
    EXPECT_EQ(a(s, 1, 1), 5.0);
    EXPECT_EQ(a(s, 1, 2), 0.5);
    EXPECT_EQ(a(s, 2, 1), 2.2000000000000002);
    EXPECT_EQ(a(s, 2, 2), 0.40000000000000013);
    EXPECT_EQ(x(s, 1), 1.0);
    EXPECT_EQ(x(s, 2), 0.9999999999999998);
    EXPECT_EQ(a(s, 1, 3), 7.0);
    EXPECT_EQ(a(s, 2, 3), 3.0);
    EXPECT_EQ(s.tochnost, 1E-07);
}

// Branches of a rotation: |d| >= |e|, |d| < |e|, the sign of the pivot, a
// zero pivot, a cell that is zero already.
TEST(RotationSolver, SmallerCellThanPivotTakesTheSecondBranch)
{
    const Peremennye& s = solveSystem({{4, 3}, {2, 1}}, {7, 3});
    EXPECT_EQ(a(s, 1, 2), 1.0 / 3.0);
    EXPECT_EQ(a(s, 1, 1), 5.0);
    EXPECT_NEAR(a(s, 2, 1), 2.2, 1e-15);
    EXPECT_NEAR(a(s, 2, 2), -0.4, 1e-15);
    EXPECT_NEAR(x(s, 1), 1.0, 1e-14);
    EXPECT_NEAR(x(s, 2), 1.0, 1e-14);
}

TEST(RotationSolver, PivotKeepsTheSignOfTheDiagonal)
{
    const Peremennye& s = solveSystem({{-3, 4}, {1, 2}}, {1, 3});
    EXPECT_EQ(a(s, 1, 2), -0.5);
    EXPECT_EQ(a(s, 1, 1), -5.0);
    EXPECT_NEAR(x(s, 1), 1.0, 1e-15);
    EXPECT_NEAR(x(s, 2), 1.0, 1e-15);
}

TEST(RotationSolver, ZeroPivotRotatesByNinetyDegrees)
{
    const Peremennye& s = solveSystem({{0, 1}, {1, 0}}, {2, 3});
    EXPECT_EQ(a(s, 1, 1), 1.0);
    EXPECT_EQ(a(s, 1, 2), 1.0);
    EXPECT_EQ(a(s, 2, 1), 0.0);
    EXPECT_EQ(a(s, 2, 2), -1.0);
    EXPECT_EQ(x(s, 1), 3.0);
    EXPECT_EQ(x(s, 2), 2.0);
}

TEST(RotationSolver, LowerTriangularMatrixNeedsNoRotation)
{
    const Peremennye& s = solveSystem({{2, 0}, {1, 4}}, {2, 9});
    EXPECT_EQ(a(s, 1, 2), 0.0);
    EXPECT_EQ(a(s, 1, 1), 2.0);
    EXPECT_EQ(a(s, 2, 2), 4.0);
    EXPECT_EQ(x(s, 1), 1.0);
    EXPECT_EQ(x(s, 2), 2.0);
}

TEST(RotationSolver, ThreeByThreeSystemIsSolved)
{
    const Peremennye& s = solveSystem({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}, {6, 15, 25});
    ASSERT_TRUE(s.est_resh);
    for (int j = 1; j <= 3; ++j)
        EXPECT_NEAR(x(s, j), 1.0, 1e-14) << "x" << j;
}

// The pivot threshold: an absolute test against 1E-07, equality passing.
TEST(RotationSolverThreshold, SingularMatrixHasNoSolution)
{
    EXPECT_FALSE(solveSystem({{1, 2}, {2, 4}}, {3, 6}).est_resh);
}

TEST(RotationSolverThreshold, TinyButWellConditionedMatrixIsRefused)
{
    EXPECT_FALSE(solveSystem({{1E-08, 0}, {0, 1E-08}}, {1, 1}).est_resh);
}

TEST(RotationSolverThreshold, PivotOfExactlyTheThresholdPasses)
{
    const Peremennye& s = solveSystem({{1E-07, 0}, {0, 1}}, {1, 1});
    ASSERT_TRUE(s.est_resh);
    EXPECT_EQ(x(s, 1), 1.0 / 1E-07);
    EXPECT_DOUBLE_EQ(x(s, 1), 1E+07);
    EXPECT_EQ(x(s, 2), 1.0);
}

TEST(RotationSolverThreshold, PivotJustBelowTheThresholdIsRefused)
{
    EXPECT_FALSE(solveSystem({{std::nextafter(1E-07, 0.0), 0}, {0, 1}}, {1, 1}).est_resh);
}

TEST(RotationSolverThreshold, FirstRowOfZerosStopsBeforeAnyDivision)
{
    const Peremennye& s = solveSystem({{0, 0}, {1, 2}}, {5, 3});
    EXPECT_FALSE(s.est_resh);
    EXPECT_EQ(x(s, 1), 5.0);
    EXPECT_EQ(x(s, 2), 3.0);
}

TEST(RotationSolverThreshold, LaterSmallPivotLeavesPartOfTheSubstitution)
{
    // L = [[2, 0, 0], [1, 1E-09, 0], ...]: row 2 stops; x(1) already holds y(1).
    const Peremennye& s = solveSystem({{2, 0, 0}, {1, 1E-09, 0}, {0, 0, 1}}, {4, 5, 6});
    EXPECT_FALSE(s.est_resh);
    EXPECT_EQ(x(s, 1), 2.0);
    EXPECT_EQ(x(s, 2), 5.0);
    EXPECT_EQ(x(s, 3), 6.0);
}

// Arithmetic faults: raised at once, est_resh as the step left it.
TEST(RotationSolverFaults, OverflowingPivotRaisesTheOverflowError)
{
    Peremennye& s = loadSystem({{1.5E308, 1.5E308}, {1, 2}}, {1, 1});
    s.est_resh = false;
    try {
        yadro_proc1();
        FAIL() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::error::Overflow);
        EXPECT_EQ(error.description(), "Переполнение");
    }
    EXPECT_FALSE(s.est_resh);
}

TEST(RotationSolverFaults, OverflowInTheSubstitutionLeavesTheFlagTrue)
{
    Peremennye& s = loadSystem({{1E-07, 0}, {0, 1}}, {1E302, 1});
    EXPECT_THROW(yadro_proc1(), platform::RuntimeError);
    EXPECT_TRUE(s.est_resh);
}

TEST(RotationSolverFaults, CountBeyondTheArraysIsASubscriptError)
{
    Peremennye& s = loadSystem({{1, 0}, {0, 1}}, {1, 1});
    s.kol_neizv = u"9";
    try {
        yadro_proc1();
        FAIL() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::error::SubscriptOutOfRange);
    }
}

// What the solve leaves in the shared state.
TEST(RotationSolverState, RightHandSidesAndCopiesAreUntouched)
{
    const std::vector<std::vector<double>> m = {{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}};
    const Peremennye& s = solveSystem(m, {1, 0, 1});
    ASSERT_TRUE(s.est_resh);
    const double b[] = {1, 0, 1};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(a(s, i, 4), b[i - 1]);
        EXPECT_EQ(s.otvety_kopiya(i).value(), b[i - 1]);
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(s.matr_kopiya(i, j).value(), m[i - 1][j - 1]);
    }
}

TEST(RotationSolverState, EightUnknownsUseColumnNine)
{
    std::vector<std::vector<double>> m(8, std::vector<double>(8, 0.0));
    std::vector<double> b(8);
    for (int i = 0; i < 8; ++i) {
        m[i][i] = 4;
        if (i > 0)
            m[i][i - 1] = 1;
        if (i < 7)
            m[i][i + 1] = 1;
        b[i] = i + 1;
    }
    const Peremennye& s = solveSystem(m, b);
    ASSERT_TRUE(s.est_resh);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(a(s, i, 9), i);
        double lhs = 0;
        for (int j = 1; j <= 8; ++j)
            lhs += m[i - 1][j - 1] * x(s, j);
        EXPECT_NEAR(lhs, b[i - 1], 1e-13);
    }
}

TEST(RotationSolverState, SmallerSolveAfterLargerOneGivesTheSameResult)
{
    const std::vector<std::vector<double>> m3 = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    const std::vector<double> b3 = {6, 15, 25};
    solveSystem(m3, b3);
    double fresh[3];
    for (int j = 1; j <= 3; ++j)
        fresh[j - 1] = x(peremennye(), j);

    // A five-unknown solve, then the same three-unknown system over what it left.
    solveSystem({{5, 1, 0, 0, 2}, {1, 5, 1, 0, 0}, {0, 1, 5, 1, 0}, {0, 0, 1, 5, 1}, {3, 0, 0, 1, 5}},
                {1, 2, 3, 4, 5});
    Peremennye& s = peremennye();
    s.kol_neizv = u"3";
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j)
            s.matr_rassh(i, j) = m3[i - 1][j - 1];
        s.matr_rassh(i, 4) = b3[i - 1];
    }
    yadro_proc1();
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(x(s, j), fresh[j - 1]);
}

TEST(RotationSolverAccuracy, RandomSystemsAgreeWithPartialPivotLu)
{
    std::mt19937_64 engine(20261206);
    for (int n = 2; n <= 8; ++n) {
        for (int trial = 0; trial < 500; ++trial) {
            const RandomSystem system = randomSystem(engine, n);
            const Peremennye& s = solveSystem(system.a, system.b);
            ASSERT_TRUE(s.est_resh);

            Eigen::MatrixXd A(n, n);
            Eigen::VectorXd b(n), xs(n);
            for (int i = 0; i < n; ++i) {
                b(i) = system.b[i];
                xs(i) = x(s, i + 1);
                for (int j = 0; j < n; ++j)
                    A(i, j) = system.a[i][j];
            }
            const Eigen::VectorXd reference = A.partialPivLu().solve(b);
            const double backward = (A * xs - b).norm() / (A.norm() * xs.norm() + b.norm());
            EXPECT_LT(backward, 1e-15) << "n=" << n << " trial=" << trial;
            EXPECT_LT((xs - reference).norm(), 1e-12 * reference.norm()) << "n=" << n << " trial=" << trial;
        }
    }
}

TEST(RotationSolverAccuracy, ResultsAreTheSameBitsOnEveryMachine)
{
    const std::uint64_t bits = solutionBits();
    EXPECT_EQ(bits, ExpectedSolutionBits) << std::hex << bits;
}

}  // namespace
