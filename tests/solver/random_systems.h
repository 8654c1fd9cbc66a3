#pragma once

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "solver/solver_fixture.h"

struct RandomSystem {
    int n;
    std::vector<std::vector<double>> a;
    std::vector<double> b;
};

// Deterministic on every platform: no library distribution in between.
inline double uniform(std::mt19937_64& engine)
{
    return static_cast<double>(engine() >> 11) * 0x1p-53 * 2.0 - 1.0;
}

// Entries in [-1, 1], the diagonal pushed away from zero: well conditioned.
inline RandomSystem randomSystem(std::mt19937_64& engine, int n)
{
    RandomSystem system{n, std::vector<std::vector<double>>(n, std::vector<double>(n)), std::vector<double>(n)};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            system.a[i][j] = uniform(engine) + (i == j ? 2.0 * n : 0.0) * (engine() % 2 ? 1 : -1) * 0.5;
        system.b[i] = uniform(engine) * 10.0;
    }
    return system;
}

// FNV-1a over the bits of every unknown of 350 fixed systems. A fused
// multiply-add or a reordered sum anywhere in the solver changes it.
inline constexpr std::uint64_t ExpectedSolutionBits = 0xb6b4a90dac6f8c1eULL;

inline std::uint64_t solutionBits()
{
    std::mt19937_64 engine(7);
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (int n = 2; n <= 8; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            const RandomSystem system = randomSystem(engine, n);
            const Peremennye& s = solveSystem(system.a, system.b);
            for (int j = 1; j <= n; ++j) {
                const double value = s.x_resh(j).value();
                std::uint64_t bits;
                std::memcpy(&bits, &value, sizeof bits);
                for (int byte = 0; byte < 8; ++byte) {
                    hash ^= (bits >> (8 * byte)) & 0xFF;
                    hash *= 0x100000001b3ULL;
                }
            }
        }
    }
    return hash;
}
