#pragma once

#include <string>
#include <vector>

#include "solver/peremennye.h"
#include "solver/yadro.h"

// Puts a system into a fresh shared state as the entry screens store it:
// coefficients and copies, right-hand sides in column n + 1 and their copies.
inline Peremennye& loadSystem(const std::vector<std::vector<double>>& a, const std::vector<double>& b)
{
    Peremennye& state = peremennye();
    state = Peremennye{};
    const int n = static_cast<int>(b.size());
    state.kol_neizv = std::u16string(1, static_cast<char16_t>(u'0' + n));
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            state.matr_rassh(i, j) = a[i - 1][j - 1];
            state.matr_kopiya(i, j) = state.matr_rassh(i, j);
        }
        state.matr_rassh(i, n + 1) = b[i - 1];
        state.otvety_kopiya(i) = state.matr_rassh(i, n + 1);
    }
    return state;
}

inline Peremennye& solveSystem(const std::vector<std::vector<double>>& a, const std::vector<double>& b)
{
    Peremennye& state = loadSystem(a, b);
    yadro_proc1();
    return state;
}
