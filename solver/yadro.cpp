#include "solver/yadro.h"

#include <cstdint>

#include "solver/peremennye.h"

using platform::CheckedDouble;

namespace {

struct Rotation {
    CheckedDouble t;  // tan(theta / 2), |t| <= 1
    CheckedDouble p;  // the new pivot
};

// The rotation of columns i and j that makes d = A(i, j) zero against the
// pivot e = A(i, i): with c and s from t,
//
//     [e  d] [ c  -s ]  =  [p  0],    p = sign(e) * sqrt(e^2 + d^2).
//            [ s   c ]
//
// Precondition: d != 0; the caller makes no rotation for a cell that is zero
// already. For e = 0 it is the quarter turn, t = 1, and p = d.
//
// Guarantees: |t| <= 1, and for e != 0 the pivot keeps the sign of e. Whichever of |d|
// and |e| is the larger divides the other, so the ratio m has |m| <= 1 and
// m * m cannot overflow; p overflows only where sqrt(e^2 + d^2) itself lies
// beyond the double range. Ties |d| = |e| take the first branch.
Rotation rotationFor(CheckedDouble d, CheckedDouble e)
{
    if (e == 0.0)
        return {1.0, d};

    if (abs(d) >= abs(e)) {
        // tan(theta) = 1/m, so tan(theta / 2) = sign(m) / (|m| + sqrt(m^2 + 1)).
        const CheckedDouble m = e / d;
        const CheckedDouble q = sqrt(m * m + 1.0);
        CheckedDouble t = 1.0 / (abs(m) + q);
        if (m < 0.0)
            t = -t;
        CheckedDouble p = abs(d) * q;
        if (e < 0.0)
            p = -p;
        return {t, p};
    }
    // tan(theta) = m, so tan(theta / 2) = m / (1 + sqrt(m^2 + 1)).
    const CheckedDouble m = d / e;
    const CheckedDouble q = sqrt(m * m + 1.0);
    return {m / (q + 1.0), q * e};
}

}  // namespace

void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved)
{
    const int rhs = n + 1;
    for (int i = 1; i <= n; ++i)
        x(i) = A(i, rhs);

    // Column rotations: L = A G1 G2 ... GN.
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const CheckedDouble d = A(i, j);
            if (d == 0.0)
                continue;  // already zero: no rotation, the cell keeps t = 0

            const Rotation rotation = rotationFor(d, A(i, i));
            const CheckedDouble t = rotation.t;
            A(i, i) = rotation.p;
            A(i, j) = t;

            const CheckedDouble r = 1.0 / (t * t + 1.0);
            const CheckedDouble c = (1.0 - t * t) * r;
            const CheckedDouble s = (t + t) * r;
            // Row i is done: its two cells took p and t (the rotated value of
            // cell (i, j) is 0). Rows above i hold stored tangents in these
            // columns and are not touched.
            for (int k = i + 1; k <= n; ++k) {
                const CheckedDouble u = A(k, i);
                const CheckedDouble v = A(k, j);
                A(k, i) = s * v + c * u;
                A(k, j) = c * v - s * u;
            }
        }
    }

    // Forward substitution, L y = b; y overwrites x. Each row's sum is formed
    // before its pivot is tested.
    solved = true;
    if (abs(A(1, 1)) < threshold) {
        solved = false;
        return;
    }
    x(1) = x(1) / A(1, 1);
    for (int j = 2; j <= n; ++j) {
        CheckedDouble sigma = 0.0;
        for (int k = 1; k <= j - 1; ++k)
            sigma = A(j, k) * x(k) + sigma;
        if (abs(A(j, j)) < threshold) {
            solved = false;
            return;
        }
        x(j) = (x(j) - sigma) / A(j, j);
    }

    // Back rotation, x = G1 G2 ... GN y: the exact reverse of the order above.
    for (int i = n - 1; i >= 1; --i) {
        for (int j = n; j >= i + 1; --j) {
            const CheckedDouble t = A(i, j);
            const CheckedDouble c = (1.0 - t * t) / (t * t + 1.0);
            const CheckedDouble s = (t + t) / (t * t + 1.0);
            const CheckedDouble u = x(i);
            const CheckedDouble v = x(j);
            x(i) = c * u - s * v;
            x(j) = s * u + c * v;
        }
    }
}

void yadro_proc1()
{
    Peremennye& state = peremennye();
    state.tochnost = 1E-07;
    const std::uint8_t n = unknownCount();
    solveByRotations(state.matr_rassh, state.x_resh, n, state.tochnost, state.est_resh);
}
