#include "yadro.h"

#include <cstdint>

#include "peremennye.h"

using platform::CheckedDouble;

namespace {

// The parameter t of the rotation of columns i and j that makes d = A(i, j)
// zero against the pivot e = A(i, i), and the new pivot p.
struct Rotation {
    CheckedDouble t;
    CheckedDouble p;
};

Rotation rotationFor(CheckedDouble d, CheckedDouble e)
{
    // The zero pivot first: a rotation by 90 degrees moves d onto the diagonal.
    if (e == 0.0)
        return {1.0, d};

    // The branch keeps |m| <= 1, so m * m cannot overflow; in both branches
    // p = sign(e) * sqrt(e^2 + d^2): the pivot keeps the sign of e.
    if (abs(d) >= abs(e)) {
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
    const CheckedDouble m = d / e;
    const CheckedDouble q = sqrt(m * m + 1.0);
    return {m / (q + 1.0), q * e};
}

}  // namespace

void yadro_proc1()
{
    Peremennye& state = peremennye();
    auto& A = state.matr_rassh;
    auto& x = state.x_resh;

    state.tochnost = 1E-07;
    const std::uint8_t n = unknownCount();
    const int rhs = n + 1;

    for (int i = 1; i <= n; ++i)
        x(i) = A(i, rhs);

    // Column rotations.
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
            // Row i is done: its two cells took p and t. Rows above i hold
            // stored tangents in these columns and are not touched.
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
    state.est_resh = true;
    if (abs(A(1, 1)) < state.tochnost) {
        state.est_resh = false;
        return;
    }
    x(1) = x(1) / A(1, 1);
    for (int j = 2; j <= n; ++j) {
        CheckedDouble sigma = 0.0;
        for (int k = 1; k <= j - 1; ++k)
            sigma = A(j, k) * x(k) + sigma;
        if (abs(A(j, j)) < state.tochnost) {
            state.est_resh = false;
            return;
        }
        x(j) = (x(j) - sigma) / A(j, j);
    }

    // Back rotation, the exact reverse of the order above; here c and s are
    // formed by division.
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
