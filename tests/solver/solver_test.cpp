// The rotation solver and the error figure, tested by their results: tables
// of hand cases, residuals against Eigen's LU over many random systems of
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

class HandCase : public testing::TestWithParam<DataRow> {};

TEST_P(HandCase, LeavesTheStateTheTableGives)
{
    const DataRow& row = GetParam();
    Peremennye& s = loadSystem(matrix(row.at(1)), numbers(row.at(2)));
    yadro_proc1();
    std::istringstream expected(row.at(3));
    std::string outcome;
    expected >> outcome;
    EXPECT_EQ(s.est_resh, outcome == "solved");
    EXPECT_EQ(s.tochnost, 1E-07);
    for (std::string cell; expected >> cell;) {
        const auto sign = cell.find_first_of("=~");
        const double wanted = *dataNumber(cell.substr(sign + 1));
        const double value = cell[0] == 'x' ? s.x_resh(cell[1] - '0').value()
                                            : s.matr_rassh(cell[1] - '0', cell[2] - '0').value();
        if (cell[sign] == '=')
            EXPECT_EQ(value, wanted) << cell;
        else
            EXPECT_NEAR(value, wanted, 1E-14) << cell;
    }
}

INSTANTIATE_TEST_SUITE_P(RotationSolver, HandCase, testing::ValuesIn(dataRows("rotation_cases.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

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

TEST(RotationSolver, ASmallerSolveAfterALargerOneGivesTheSameBits)
{
    const std::vector<std::vector<double>> three = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    const std::vector<double> b = {6, 15, 25};
    loadSystem(three, b);
    yadro_proc1();
    const EquationVector fresh = peremennye().x_resh;
    // Five unknowns, then the three over what they left: only the cells of
    // the new n are stored again, as the entry screens store them.
    loadSystem({{5, 1, 0, 0, 2}, {1, 5, 1, 0, 0}, {0, 1, 5, 1, 0}, {0, 0, 1, 5, 1}, {3, 0, 0, 1, 5}}, {1, 2, 3, 4, 5});
    yadro_proc1();
    Peremennye& s = peremennye();
    s.kol_neizv = u"3";
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 4; ++j)
            s.matr_rassh(i, j) = j <= 3 ? three[i - 1][j - 1] : b[i - 1];
    }
    yadro_proc1();
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(s.x_resh(j).value(), fresh(j).value());
}

// The branches of a rotation, counted as an observer is told of them.
class BranchCounter final : public RotationObserver {
public:
    void noRotation(int, int) override { ++counts[3]; }
    void rotation(const Step& step) override { ++counts[static_cast<int>(step.branch)]; }
    void rowRotated(int, double, double) override {}
    void rotated(const AugmentedMatrix&, int) override {}
    void substitution(int, double, double) override {}
    void pivotBelowThreshold(int, double) override {}
    void backRotation(int, int, double, double, double, double, double) override {}
    void solution(const EquationVector&, int) override {}

    int counts[4] = {};  // zero pivot, |d| >= |e|, |d| < |e|, no rotation
};

// Systems of every kind, each solved by the program's solve and watched by
// an observer: the same bits either way, every branch met, and the results
// of Eigen's LU to within what the condition allows; a refusal only for a
// matrix that is near singular indeed.
TEST(RotationSolver, RandomSystemsMeetEveryBranchAgreeWithPartialPivotLuAndAnObserverChangesNoBit)
{
    std::mt19937_64 engine(20261206);
    BranchCounter counter;
    int solved = 0, refused = 0;
    for (int n = 2; n <= 8; ++n) {
        for (int trial = 0; trial < 800; ++trial) {
            const RandomSystem system = randomSystem(engine, n, trial % 4);
            const Peremennye& s = loadSystem(system.a, system.b);
            AugmentedMatrix watched = s.matr_rassh;
            yadro_proc1();
            EquationVector y;
            bool watchedSolved = false;
            solveByRotations(watched, y, n, 1E-07, watchedSolved, counter);
            Eigen::MatrixXd A(n, n);
            Eigen::VectorXd b = Eigen::Map<const Eigen::VectorXd>(system.b.data(), n), x(n);
            for (int i = 0; i < n; ++i) {
                x(i) = s.x_resh(i + 1).value();
                ASSERT_EQ(std::memcmp(&y(i + 1), &s.x_resh(i + 1), sizeof(double)), 0) << n << "/" << trial;
                for (int j = 0; j < n; ++j)
                    A(i, j) = system.a[i][j];
            }
            ASSERT_EQ(watchedSolved, s.est_resh);
            const Eigen::VectorXd singular = A.jacobiSvd().singularValues();
            if (!s.est_resh) {
                EXPECT_LT(singular(n - 1), 1E-6) << n << "/" << trial;
                ++refused;
                continue;
            }
            ++solved;
            EXPECT_LT((A * x - b).norm() / (A.norm() * x.norm() + b.norm()), 1E-15) << n << "/" << trial;
            const Eigen::VectorXd reference = A.partialPivLu().solve(b);
            EXPECT_LT((x - reference).norm(), 1E-14 * singular(0) / singular(n - 1) * reference.norm()) << n << "/" << trial;
        }
    }
    EXPECT_GT(solved, 4000);
    EXPECT_GT(refused, 100);
    for (int branch = 0; branch < 4; ++branch)
        EXPECT_GT(counter.counts[branch], 100) << "branch " << branch;
}

// A snapshot taken on x86-64; solver_bits_on_aarch64 compares another
// machine's bits with the same snapshot.
TEST(RotationSolver, SolutionsAreTheRecordedBits)
{
    const std::uint64_t bits = solutionBits();
    EXPECT_EQ(bits, RecordedSolutionBits) << std::hex << bits;
}

class ErrorFigureCase : public testing::TestWithParam<DataRow> {};

TEST_P(ErrorFigureCase, IsTheFigureTheTableGives)
{
    const DataRow& row = GetParam();
    const auto a = matrix(row.at(1));
    const auto b = numbers(row.at(2)), x = numbers(row.at(3));
    const int n = static_cast<int>(b.size());
    CoefficientMatrix copy;
    EquationVector answers, solution;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            copy(i, j) = a[i - 1][j - 1];
        answers(i) = b[i - 1];
        solution(i) = x[i - 1];
    }
    double figure = 0.0;
    const int error = errorNumberOf([&] { figure = errorFigure(copy, answers, solution, n).value(); });
    if (row.at(4) == "overflow")
        EXPECT_EQ(error, platform::error::Overflow);
    else
        EXPECT_NEAR(figure, *dataNumber(row[4]), 1E-14 * *dataNumber(row[4]));
}

INSTANTIATE_TEST_SUITE_P(ErrorFigure, ErrorFigureCase, testing::ValuesIn(dataRows("error_figures.tsv")),
                         rowNames([](const DataRow& row) { return row.at(0); }));

}  // namespace
