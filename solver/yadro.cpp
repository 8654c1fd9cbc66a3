#include "solver/yadro.h"

#include <cstdint>

#include "solver/peremennye.h"
#include "solver/rotation_kernel.h"

std::size_t& rotation_kernel::solveCount()
{
    static std::size_t begun = 0;
    return begun;
}

std::size_t solvesBegun()
{
    return rotation_kernel::solveCount();
}

void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved)
{
    rotation_kernel::Nobody nobody;
    rotation_kernel::rotateAndSolve(A, x, n, threshold, solved, nobody);
}

void yadro_proc1()
{
    Peremennye& state = peremennye();
    state.tochnost = PivotThreshold;
    const std::uint8_t n = unknownCount();
    solveByRotations(state.matr_rassh, state.x_resh, n, state.tochnost, state.est_resh);
}
