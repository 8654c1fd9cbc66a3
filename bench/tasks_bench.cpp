// Tasks for a class, timed as a teacher meets them: the largest set (200
// variants of eight unknowns) made, its task sheet and its answer key put
// into PDF documents, and the whole of it, against the budget of three
// seconds. Runs under the offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/bench/tasks_bench

#include <benchmark/benchmark.h>

#include <QDate>

#include "bench/qt_bench.h"
#include "documents/task_set.h"
#include "tasks/task_paper.h"

namespace {

tasks::Choices largest()
{
    tasks::Choices chosen;
    chosen.n = 8;
    chosen.count = tasks::MaxVariants;
    chosen.coefficients = tasks::Numbers::OneDecimal;
    chosen.solution = tasks::Numbers::OneDecimal;
    chosen.specialCases = true;
    chosen.setNumber = 2026;
    return chosen;
}

const std::vector<tasks::Variant>& set()
{
    static const std::vector<tasks::Variant> made = tasks::makeSet(largest());
    return made;
}

void makeTheSet(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tasks::makeSet(largest()));
    budget(state, 3000);
}
BENCHMARK(makeTheSet)->Unit(benchmark::kMillisecond);

void taskSheet(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(taskSheetPdf(set(), 2026, QDate(2026, 12, 8)));
    budget(state, 3000);
}
BENCHMARK(taskSheet)->Unit(benchmark::kMillisecond);

void answerKey(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(answerKeyPdf(set(), 2026, QDate(2026, 12, 8)));
    budget(state, 3000);
}
BENCHMARK(answerKey)->Unit(benchmark::kMillisecond);

// What "Создать..." computes, but the writing of the files.
void theWholeSet(benchmark::State& state)
{
    for (auto _ : state) {
        const std::vector<tasks::Variant> made = tasks::makeSet(largest());
        benchmark::DoNotOptimize(taskSheetPdf(made, 2026, QDate(2026, 12, 8)));
        benchmark::DoNotOptimize(answerKeyPdf(made, 2026, QDate(2026, 12, 8)));
    }
    budget(state, 3000);
}
BENCHMARK(theWholeSet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runInApplication(argc, argv);
}
