#include "solver/yadro.h"

#include <cstdint>

#include "solver/peremennye.h"
#include "solver/rotation_kernel.h"

void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved)
{
    rotation_kernel::Nobody nobody;
    rotation_kernel::rotateAndSolve(A, x, n, threshold, solved, nobody);
}

void yadro_proc1()
{
    Peremennye& state = peremennye();
    state.tochnost = 1E-07;
    const std::uint8_t n = unknownCount();
    solveByRotations(state.matr_rassh, state.x_resh, n, state.tochnost, state.est_resh);
}
