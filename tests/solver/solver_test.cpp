// The rotation solver and the error figure, tested by their results: hand
// cases to the bit, residuals against Eigen's LU over many random systems of
// every kind, and the recorded bits of 350 solutions.

#include <cmath>
#include <cstring>
#include <sstream>

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include "solver/error_figure.h"
#include "solver/random_systems.h"
#include "support/data_file.h"

namespace {

std::vector<double> numbers(const std::string& text)
{
    std::vector<double> values;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        values.push_back(*dataNumber(word));
    return values;
}

std::vector<std::vector<double>> matrix(const std::string& text)
{
    std::vector<std::vector<double>> rows;
    std::istringstream in(text);
    for (std::string row; std::getline(in, row, ';');)
        rows.push_back(numbers(row));
    return rows;
}

int errorNumberOf(auto&& step)
{
    try {
        step();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(RotationSolver, EveryHandCaseOfTheTable)
{
    for (const DataRow& row : dataRows("rotation_cases.tsv")) {
        const auto b = numbers(row.at(2));
        Peremennye& s = loadSystem(matrix(row.at(1)), b);
        yadro_proc1();
        std::istringstream expected(row.at(3));
        std::string outcome;
        expected >> outcome;
        EXPECT_EQ(s.est_resh, outcome == "solved") << row[0];
        EXPECT_EQ(s.tochnost, 1E-07) << row[0];
        for (std::string cell; expected >> cell;) {
            const auto sign = cell.find_first_of("=~");
            const double wanted = *dataNumber(cell.substr(sign + 1));
            const double value = cell[0] == 'x' ? s.x_resh(cell[1] - '0').value()
                                                : s.matr_rassh(cell[1] - '0', cell[2] - '0').value();
            if (cell[sign] == '=')
                EXPECT_EQ(value, wanted) << row[0] << ": " << cell;
            else
                EXPECT_NEAR(value, wanted, 1E-14) << row[0] << ": " << cell;
        }
    }
}

TEST(RotationSolver, AnOverflowRaisesAtOnceWithTheFlagAsTheStepLeftIt)
{
    // In the rotations the first place is the new pivot, sqrt(2) * 1.5E308.
    Peremennye& s = loadSystem({{1.5E308, 1.5E308}, {1, 2}}, {1, 1});
    EXPECT_EQ(errorNumberOf(yadro_proc1), platform::error::Overflow);
    EXPECT_FALSE(s.est_resh);
    // In the substitution the flag is already true: 1E302 / 1E-07.
    loadSystem({{1E-07, 0}, {0, 1}}, {1E302, 1});
    EXPECT_EQ(errorNumberOf(yadro_proc1), platform::error::Overflow);
    EXPECT_TRUE(s.est_resh);
}

TEST(RotationSolver, ACountBeyondTheArraysIsASubscriptErrorNotAReadBeyondThem)
{
    loadSystem({{1, 0}, {0, 1}}, {1, 1}).kol_neizv = u"9";
    EXPECT_EQ(errorNumberOf(yadro_proc1), platform::error::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([] { unknownCount(u"%"); }), platform::error::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { unknownCount(u"256"); }), platform::error::Overflow);
    EXPECT_EQ(unknownCount(u"2.5"), 2);  // halves to even, as the runtime rounds
}

TEST(RotationSolver, LeavesTheRightHandSidesAndTheCopiesAndUsesColumnNineForEightUnknowns)
{
    std::vector<std::vector<double>> a(8, std::vector<double>(8, 1.0));
    std::vector<double> b(8);
    for (int i = 0; i < 8; ++i) {
        a[i][i] = 9.0 + i;
        b[i] = i + 0.5;
    }
    Peremennye& s = loadSystem(a, b);
    yadro_proc1();
    ASSERT_TRUE(s.est_resh);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(s.matr_rassh(i, 9).value(), b[i - 1]);
        EXPECT_EQ(s.otvety_kopiya(i).value(), b[i - 1]);
        for (int j = 1; j <= 8; ++j)
            EXPECT_EQ(s.matr_kopiya(i, j).value(), a[i - 1][j - 1]);
    }
}

TEST(RotationSolver, ASmallerSolveAfterALargerOneGivesTheSameBits)
{
    const std::vector<std::vector<double>> three = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    loadSystem(three, {6, 15, 25});
    yadro_proc1();
    const double fresh[] = {peremennye().x_resh(1).value(), peremennye().x_resh(2).value(), peremennye().x_resh(3).value()};

    // Five unknowns, then the three over what they left: only the cells of
    // the new n are stored again, as the entry screens store them.
    loadSystem({{5, 1, 0, 0, 2}, {1, 5, 1, 0, 0}, {0, 1, 5, 1, 0}, {0, 0, 1, 5, 1}, {3, 0, 0, 1, 5}}, {1, 2, 3, 4, 5});
    yadro_proc1();
    Peremennye& s = peremennye();
    s.kol_neizv = u"3";
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j)
            s.matr_rassh(i, j) = three[i - 1][j - 1];
        s.matr_rassh(i, 4) = std::vector<double>{6, 15, 25}[i - 1];
    }
    yadro_proc1();
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(s.x_resh(j).value(), fresh[j - 1]);
}

TEST(RotationSolver, RandomSystemsOfEveryKindAgreeWithPartialPivotLu)
{
    std::mt19937_64 engine(20261206);
    int solved = 0, refused = 0;
    for (int n = 2; n <= 8; ++n) {
        for (int trial = 0; trial < 800; ++trial) {
            const RandomSystem system = randomSystem(engine, n, trial % 4);
            Eigen::MatrixXd A(n, n);
            Eigen::VectorXd b(n), x(n);
            for (int i = 0; i < n; ++i) {
                b(i) = system.b[i];
                for (int j = 0; j < n; ++j)
                    A(i, j) = system.a[i][j];
            }
            const Peremennye& s = loadSystem(system.a, system.b);
            yadro_proc1();
            const Eigen::VectorXd singular = A.jacobiSvd().singularValues();
            if (!s.est_resh) {
                // Refused only where the matrix is near singular indeed.
                EXPECT_LT(singular(n - 1), 1E-6) << "n=" << n << " trial=" << trial;
                ++refused;
                continue;
            }
            ++solved;
            for (int i = 0; i < n; ++i)
                x(i) = s.x_resh(i + 1).value();
            const double backward = (A * x - b).norm() / (A.norm() * x.norm() + b.norm());
            EXPECT_LT(backward, 1E-15) << "n=" << n << " trial=" << trial;
            const Eigen::VectorXd reference = A.partialPivLu().solve(b);
            const double condition = singular(0) / singular(n - 1);
            EXPECT_LT((x - reference).norm(), 1E-14 * condition * reference.norm()) << "n=" << n << " trial=" << trial;
        }
    }
    EXPECT_GT(solved, 4000);
    EXPECT_GT(refused, 100);
}

// The branches of a rotation, counted as an observer is told of them.
class BranchCounter final : public RotationObserver {
public:
    void noRotation(int, int) override { ++counts[3]; }
    void rotation(int, int, double, double, Branch branch, double, double, double, double) override
    {
        ++counts[static_cast<int>(branch)];
    }
    void rowRotated(int, double, double) override {}
    void rotated(const AugmentedMatrix&, int) override {}
    void substitution(int, double, double) override {}
    void pivotBelowThreshold(int, double) override {}
    void backRotation(int, int, double, double, double, double, double) override {}
    void solution(const EquationVector&, int) override {}

    int counts[4] = {};  // zero pivot, |d| >= |e|, |d| < |e|, no rotation
};

TEST(RotationSolver, RandomSystemsMeetEveryBranchAndAnObserverChangesNoBit)
{
    std::mt19937_64 engine(7);
    BranchCounter counter;
    for (int n = 2; n <= 8; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            const RandomSystem system = randomSystem(engine, n, trial % 4);
            const Peremennye copy = loadSystem(system.a, system.b);
            yadro_proc1();
            AugmentedMatrix A = copy.matr_rassh;
            EquationVector x;
            bool solved = false;
            solveByRotations(A, x, n, 1E-07, solved, counter);
            ASSERT_EQ(solved, peremennye().est_resh);
            for (int i = 1; i <= n; ++i)
                ASSERT_EQ(std::memcmp(&x(i), &peremennye().x_resh(i), sizeof(double)), 0) << "n=" << n << " trial=" << trial;
        }
    }
    for (int branch = 0; branch < 4; ++branch)
        EXPECT_GT(counter.counts[branch], 20) << "branch " << branch;
}

// A snapshot taken on x86-64; solver_bits_on_aarch64 compares another
// machine's bits with the same snapshot.
TEST(RotationSolver, SolutionsAreTheRecordedBits)
{
    const std::uint64_t bits = solutionBits();
    EXPECT_EQ(bits, RecordedSolutionBits) << std::hex << bits;
}

EquationVector vector(const std::vector<double>& values)
{
    EquationVector v;
    for (std::size_t i = 0; i < values.size(); ++i)
        v(int(i + 1)) = values[i];
    return v;
}

double figure(const std::vector<std::vector<double>>& a, const std::vector<double>& b, const std::vector<double>& x)
{
    CoefficientMatrix m;
    for (std::size_t i = 0; i < b.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            m(int(i + 1), int(j + 1)) = a[i][j];
    return errorFigure(m, vector(b), vector(x), int(b.size())).value();
}

TEST(ErrorFigure, SumsTheRelativeResidualsOfTheComputedLeftHandSidesInPercent)
{
    // 1, 2 and 3 per mille of the left-hand sides: 0.6 %, not the largest or the mean.
    EXPECT_DOUBLE_EQ(figure({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {999, 998, 997}, {1000, 1000, 1000}), 0.6);
    const double s1 = 3.0 + 4.0 * 0.9999999999999998, s2 = 1.0 + 2.0 * 0.9999999999999998;
    EXPECT_EQ(figure({{3, 4}, {1, 2}}, {7, 3}, {1, 0.9999999999999998}),
              std::fabs((s1 - 7.0) / s1) * 100.0 + std::fabs((s2 - 3.0) / s2) * 100.0);
    // A right-hand side of 0 missed by any left-hand side: 100 %.
    EXPECT_EQ(figure({{1, 0}, {0, 1}}, {0, 1}, {1E-20, 1}), 100.0);
}

TEST(ErrorFigure, ALeftHandSideOfExactlyZeroIsMeasuredAgainstTheRightHandSide)
{
    // 1 - 1 = 0 against 5: all of it missed, 100 %; 0 against 0: met, and no 0/0.
    EXPECT_EQ(figure({{1, -1}, {1, -1}}, {5, 0}, {1, 1}), 100.0);
    EXPECT_EQ(figure({{3, 4}, {1, 2}}, {0, 0}, {0, 0}), 0.0);
    EXPECT_EQ(errorNumberOf([] { figure({{1E308, -1E308}, {1, 0}}, {0, 2}, {2, 2}); }), platform::error::Overflow);
}

}  // namespace
