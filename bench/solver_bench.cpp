// Times yadro_proc1 beside Eigen's PartialPivLU and HouseholderQR on the same
// seeded systems, in the same run, and prints the ratios; then reports the
// normwise backward error of all three.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <Eigen/Dense>

#include "course/course_text.h"
#include "solver/peremennye.h"
#include "solver/yadro.h"

namespace {

struct System {
    Eigen::MatrixXd a;
    Eigen::VectorXd b;
};

double uniform(std::mt19937_64& engine)
{
    return static_cast<double>(engine() >> 11) * 0x1p-53 * 2.0 - 1.0;
}

// Entries uniform in [-1, 1], the diagonal pushed away from zero: well conditioned.
System randomSystem(std::mt19937_64& engine, int n)
{
    System s{Eigen::MatrixXd(n, n), Eigen::VectorXd(n)};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            s.a(i, j) = uniform(engine);
        s.a(i, i) += (s.a(i, i) < 0 ? -1.0 : 1.0) * 0.5 * n;
        s.b(i) = uniform(engine) * 10.0;
    }
    return s;
}

const std::vector<System>& systems(int n)
{
    static std::map<int, std::vector<System>> cache;
    auto& set = cache[n];
    if (set.empty()) {
        std::mt19937_64 engine(1000 + n);
        for (int k = 0; k < 256; ++k)
            set.push_back(randomSystem(engine, n));
    }
    return set;
}

// Stores a system as the entry screens do and runs the solver.
Eigen::VectorXd solveByRotation(const System& s)
{
    const int n = static_cast<int>(s.b.size());
    Peremennye& state = peremennye();
    state.kol_neizv = std::u16string(1, static_cast<char16_t>(u'0' + n));
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            state.matr_rassh(i, j) = s.a(i - 1, j - 1);
        state.matr_rassh(i, n + 1) = s.b(i - 1);
    }
    yadro_proc1();
    Eigen::VectorXd x(n);
    for (int j = 1; j <= n; ++j)
        x(j - 1) = state.x_resh(j).value();
    return x;
}

// The same solve watched as the window "Ход решения" watches it: what the
// course of a solve costs beside the solve itself.
Eigen::VectorXd solveByRotationWithItsCourse(const System& s)
{
    const int n = static_cast<int>(s.b.size());
    CoefficientMatrix a;
    EquationVector b;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            a(i, j) = s.a(i - 1, j - 1);
        b(i) = s.b(i - 1);
    }
    benchmark::DoNotOptimize(courseOfSolve(documentOfSolve(a, b, n, PivotThreshold), platform::NumberFormat::russian()));
    return solveByRotation(s);
}

Eigen::VectorXd solveByLu(const System& s)
{
    return s.a.partialPivLu().solve(s.b);
}

Eigen::VectorXd solveByQr(const System& s)
{
    return s.a.householderQr().solve(s.b);
}

template <Eigen::VectorXd (*Solve)(const System&)>
void timed(benchmark::State& state)
{
    const auto& set = systems(static_cast<int>(state.range(0)));
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Solve(set[k]));
        k = (k + 1) % set.size();
    }
}

BENCHMARK(timed<solveByRotation>)->Name("yadro_proc1")->Arg(2)->Arg(4)->Arg(8);
BENCHMARK(timed<solveByRotationWithItsCourse>)->Name("yadro_proc1_and_its_course")->Arg(2)->Arg(4)->Arg(8);
BENCHMARK(timed<solveByLu>)->Name("Eigen_PartialPivLU")->Arg(2)->Arg(4)->Arg(8);
BENCHMARK(timed<solveByQr>)->Name("Eigen_HouseholderQR")->Arg(2)->Arg(4)->Arg(8);

// Keeps every result for the ratio table.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

double backwardError(const System& s, const Eigen::VectorXd& x)
{
    return (s.a * x - s.b).norm() / (s.a.norm() * x.norm() + s.b.norm());
}

struct Spread {
    double median;
    double max;
};

Spread spreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

void accuracyReport()
{
    std::printf("\nNormwise backward error |Ax - b| / (|A||x| + |b|), 10000 random systems per n\n");
    std::printf("%3s  %-23s  %-23s  %-23s\n", "n", "yadro_proc1 med / max", "PartialPivLU med / max",
                "HouseholderQR med / max");
    for (int n = 2; n <= 8; ++n) {
        std::mt19937_64 engine(5000 + n);
        std::vector<double> rot, lu, qr;
        int refused = 0;
        for (int k = 0; k < 10000; ++k) {
            const System s = randomSystem(engine, n);
            const Eigen::VectorXd x = solveByRotation(s);
            if (!peremennye().est_resh)
                ++refused;
            rot.push_back(backwardError(s, x));
            lu.push_back(backwardError(s, solveByLu(s)));
            qr.push_back(backwardError(s, solveByQr(s)));
        }
        const Spread r = spreadOf(rot), l = spreadOf(lu), q = spreadOf(qr);
        std::printf("%3d  %.2e / %.2e    %.2e / %.2e    %.2e / %.2e   (%d refused as near-singular)\n", n,
                    r.median, r.max, l.median, l.max, q.median, q.max, refused);
    }

    std::printf("\nHilbert matrices, b = A * ones: backward error and forward error |x - 1| / |1|\n");
    std::printf("%3s  %-21s  %-21s  %-21s\n", "n", "yadro_proc1", "PartialPivLU", "HouseholderQR");
    for (int n = 2; n <= 8; ++n) {
        System s{Eigen::MatrixXd(n, n), Eigen::VectorXd(n)};
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                s.a(i, j) = 1.0 / (i + j + 1);
        const Eigen::VectorXd ones = Eigen::VectorXd::Ones(n);
        s.b = s.a * ones;
        std::printf("%3d", n);
        for (auto solve : {solveByRotation, solveByLu, solveByQr}) {
            const Eigen::VectorXd x = solve(s);
            if (solve == solveByRotation && !peremennye().est_resh)
                std::printf("  %-21s", "near-singular: pivot below 1E-07");
            else
                std::printf("  %.2e  %.2e   ", backwardError(s, x), (x - ones).norm() / ones.norm());
        }
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nTime of yadro_proc1 relative to the references, same systems, same run\n");
    std::printf("%3s  %16s  %16s  %22s\n", "n", "/ PartialPivLU", "/ HouseholderQR", "with its course / alone");
    for (const char* n : {"2", "4", "8"}) {
        const double rot = reporter.times["yadro_proc1/" + std::string(n)];
        const double course = reporter.times["yadro_proc1_and_its_course/" + std::string(n)];
        const double lu = reporter.times["Eigen_PartialPivLU/" + std::string(n)];
        const double qr = reporter.times["Eigen_HouseholderQR/" + std::string(n)];
        if (rot > 0 && lu > 0 && qr > 0)
            std::printf("%3s  %16.2f  %16.2f  %22.1f\n", n, rot / lu, rot / qr, course / rot);
    }
    accuracyReport();
    benchmark::Shutdown();
    return 0;
}
