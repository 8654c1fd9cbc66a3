#pragma once

// The rotation kernel as a template over its observer, for the two files
// that compile it: yadro.cpp watched by nobody, yadro_observed.cpp watched by
// an observer. Each compiles it apart, so that the kernel nobody watches is
// compiled exactly as it would be without any observer: the compiler makes
// its choices (which calls to inline) for that kernel alone; the functions
// are static, so each file has its own and calls them once.

#include <type_traits>

#include "solver/yadro.h"

namespace rotation_kernel {

using platform::CheckedDouble;

struct Rotation {
    CheckedDouble t;  // tan(theta / 2), |t| <= 1
    CheckedDouble p;  // the new pivot
    CheckedDouble m;  // the ratio of the smaller to the larger, |m| <= 1; 0 for the quarter turn
    RotationObserver::Branch branch;
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
static Rotation rotationFor(CheckedDouble d, CheckedDouble e)
{
    if (e == 0.0)
        return {1.0, d, 0.0, RotationObserver::Branch::ZeroPivot};

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
        return {t, p, m, RotationObserver::Branch::CellNotSmaller};
    }
    // tan(theta) = m, so tan(theta / 2) = m / (1 + sqrt(m^2 + 1)).
    const CheckedDouble m = d / e;
    const CheckedDouble q = sqrt(m * m + 1.0);
    return {m / (q + 1.0), q * e, m, RotationObserver::Branch::CellSmaller};
}

// Watched by nobody, every step that only tells the observer is left out at
// compile time.
struct Nobody {};

template <class Observer>
constexpr bool watched = std::is_base_of_v<RotationObserver, Observer>;

// The count of solves begun, which solvesBegun() reports.
std::size_t& solveCount();

template <class Observer>
static void rotateAndSolve(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved,
                           Observer& observer)
{
    ++solveCount();
    const int rhs = n + 1;
    for (int i = 1; i <= n; ++i)
        x(i) = A(i, rhs);

    // Column rotations: L = A G1 G2 ... GN.
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const CheckedDouble d = A(i, j);
            if (d == 0.0) {
                if constexpr (watched<Observer>)
                    observer.noRotation(i, j);
                continue;  // already zero: no rotation, the cell keeps t = 0
            }

            const CheckedDouble e = A(i, i);
            const Rotation rotation = rotationFor(d, e);
            const CheckedDouble t = rotation.t;
            A(i, i) = rotation.p;
            A(i, j) = t;

            const CheckedDouble r = 1.0 / (t * t + 1.0);
            const CheckedDouble c = (1.0 - t * t) * r;
            const CheckedDouble s = (t + t) * r;
            if constexpr (watched<Observer>)
                observer.rotation({i, j, rotation.branch, d.value(), e.value(), rotation.m.value(), t.value(),
                                   rotation.p.value(), c.value(), s.value()});
            // Row i is done: its two cells took p and t (the rotated value of
            // cell (i, j) is 0). Rows above i hold stored tangents in these
            // columns and are not touched.
            for (int k = i + 1; k <= n; ++k) {
                const CheckedDouble u = A(k, i);
                const CheckedDouble v = A(k, j);
                const CheckedDouble rotatedU = s * v + c * u;
                A(k, i) = rotatedU;
                const CheckedDouble rotatedV = c * v - s * u;
                A(k, j) = rotatedV;
                if constexpr (watched<Observer>)
                    observer.rowRotated(k, rotatedU.value(), rotatedV.value());
            }
        }
    }
    if constexpr (watched<Observer>)
        observer.rotated(A, n);

    // Forward substitution, L y = b; y overwrites x. Each row's sum is formed
    // before its pivot is tested.
    solved = true;
    const CheckedDouble firstPivot = A(1, 1);
    if (abs(firstPivot) < threshold) {
        solved = false;
        if constexpr (watched<Observer>)
            observer.pivotBelowThreshold(1, firstPivot.value());
        return;
    }
    const CheckedDouble y1 = x(1) / firstPivot;
    x(1) = y1;
    if constexpr (watched<Observer>)
        observer.substitution(1, firstPivot.value(), y1.value());
    for (int j = 2; j <= n; ++j) {
        CheckedDouble sigma = 0.0;
        for (int k = 1; k <= j - 1; ++k)
            sigma = A(j, k) * x(k) + sigma;
        const CheckedDouble pivot = A(j, j);
        if (abs(pivot) < threshold) {
            solved = false;
            if constexpr (watched<Observer>)
                observer.pivotBelowThreshold(j, pivot.value());
            return;
        }
        const CheckedDouble y = (x(j) - sigma) / pivot;
        x(j) = y;
        if constexpr (watched<Observer>)
            observer.substitution(j, pivot.value(), y.value());
    }

    // Back rotation, x = G1 G2 ... GN y: the exact reverse of the order above.
    for (int i = n - 1; i >= 1; --i) {
        for (int j = n; j >= i + 1; --j) {
            const CheckedDouble t = A(i, j);
            const CheckedDouble c = (1.0 - t * t) / (t * t + 1.0);
            const CheckedDouble s = (t + t) / (t * t + 1.0);
            const CheckedDouble u = x(i);
            const CheckedDouble v = x(j);
            const CheckedDouble rotatedU = c * u - s * v;
            x(i) = rotatedU;
            const CheckedDouble rotatedV = s * u + c * v;
            x(j) = rotatedV;
            if constexpr (watched<Observer>)
                observer.backRotation(i, j, t.value(), c.value(), s.value(), rotatedU.value(), rotatedV.value());
        }
    }
    if constexpr (watched<Observer>)
        observer.solution(x, n);
}

}  // namespace rotation_kernel
