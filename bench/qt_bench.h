#pragma once

// What the benchmarks that draw or write paper share: a budget shown beside
// each figure, and a main that runs them in an application under the
// regional settings.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/regional_settings.h"

inline void budget(benchmark::State& state, double milliseconds)
{
    state.counters["budget_ms"] = milliseconds;
}

inline int runInApplication(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::readRegionalSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
