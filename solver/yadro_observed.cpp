#include "solver/rotation_kernel.h"

void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved,
                      RotationObserver& observer)
{
    rotation_kernel::rotateAndSolve(A, x, n, threshold, solved, observer);
}
