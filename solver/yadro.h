#pragma once

#include <cstddef>

#include "solver/checked_arrays.h"

// The rotation method in its column form, for n linear equations in n
// unknowns, 2 <= n <= 8.
//
// What it computes. Plane rotations G of pairs of columns (i, j), made row by
// row from the top and, within a row, for the cells right of the diagonal
// from left to right, turn the coefficient matrix A into the lower-triangular
// L = A G1 G2 ... GN. Forward substitution solves L y = b, and
// x = G1 G2 ... GN y, applying GN first, is the solution, since
// A x = L (G1 ... GN)^T x = L y = b.
//
// How a rotation is stored. The rotation that makes cell (i, j) zero turns
// by the angle theta with tan(theta) = A(i, j) / A(i, i); it is kept as the
// tangent of its half angle, t = tan(theta / 2), |t| <= 1, in that very cell.
// Its cosine and sine follow as c = (1 - t^2) / (1 + t^2) and
// s = 2t / (1 + t^2): t = 0 is the identity, t = 1 the quarter turn. A cell
// that already held 0 is not rotated and keeps 0, which reads back as the
// identity. The rotation G of columns i and j has G(i, i) = G(j, j) = c,
// G(j, i) = s and G(i, j) = -s.
//
// In: A(i, j) the coefficients and A(i, n + 1) the right-hand sides,
// 1 <= i, j <= n. Out: solved true and x(1..n) the unknowns; or solved false
// when a pivot of L is below threshold in magnitude, an absolute test with no
// scaling that a pivot equal to the threshold passes. Then x(1..j-1) hold
// y(1..j-1) and x(j..n) the right-hand sides, where j is the row whose pivot
// failed. A is left holding L on and below the diagonal and the stored
// tangents above it; column n + 1 is never changed.
//
// Faults. Every arithmetic result is checked (platform::CheckedDouble): an
// overflow raises the runtime's overflow error at once and the solve ends
// there, with solved as it stood (true from the forward substitution on).
// Entries near the double range are the only way to meet one; the first place
// is the new pivot sqrt(e^2 + d^2). Division by zero cannot occur: every
// divisor is tested non-zero or bounded away from zero first. Every array
// access is checked against the declared ranges, so an n above 8 raises the
// subscript error instead of reading beyond them.
//
// Bit-exact results. The order of every operation is kept on purpose: c and
// s by the reciprocal r while rotating the columns, by division when rotating
// back; each row's sum accumulated from the left, the new term added to the
// sum so far. With -ffp-contract=off (no fused multiply-add) a system gives
// the same bits on every machine.
void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved);

// The same, telling the observer every step. The kernel is one template with
// two instances: the one above has no observer compiled in at all.
class RotationObserver;
void solveByRotations(AugmentedMatrix& A, EquationVector& x, int n, double threshold, bool& solved,
                      RotationObserver& observer);

// What the kernel tells an observer as it works, in the order it works, with
// the values it holds; for a student who checks the method by hand.
class RotationObserver {
public:
    // How the rotation of a cell d = A(i, j) against the pivot e = A(i, i) is made.
    enum class Branch {
        ZeroPivot,       // e = 0: the quarter turn, t = 1, p = d
        CellNotSmaller,  // |d| >= |e|: m = e / d
        CellSmaller,     // |d| < |e|: m = d / e
    };

    // The rotation of columns i and j that made cell (i, j) zero: the cell d,
    // the pivot e, the ratio m of the smaller to the larger (0 for the
    // quarter turn), the stored tangent t, the new pivot p, and the c and s
    // that turned the rows below.
    struct Step {
        int i, j;
        Branch branch;
        double d, e, m, t, p, c, s;
    };

    virtual ~RotationObserver() = default;

    // The column rotations, row by row: a cell that is zero already needs none.
    virtual void noRotation(int i, int j) = 0;
    virtual void rotation(const Step& step) = 0;
    // Row k of the rotation just told, below row i: its new values in columns i and j.
    virtual void rowRotated(int k, double columnI, double columnJ) = 0;
    // L on and below the diagonal, the stored tangents above it.
    virtual void rotated(const AugmentedMatrix& A, int n) = 0;

    // The forward substitution: y(j) from the pivot L(j, j), or the pivot
    // that is below the threshold, where the solve stops.
    virtual void substitution(int j, double pivot, double y) = 0;
    virtual void pivotBelowThreshold(int j, double pivot) = 0;

    // The back rotation, in reverse order: the rotation (i, j) and the two
    // values of x it changed.
    virtual void backRotation(int i, int j, double t, double c, double s, double xi, double xj) = 0;
    virtual void solution(const EquationVector& x, int n) = 0;
};

// The threshold of the program's solves: a pivot smaller in magnitude stops them.
inline constexpr double PivotThreshold = 1E-07;

// The program's solve: stores the threshold 1E-07 in tochnost, takes n from
// kol_neizv and runs solveByRotations on matr_rassh and x_resh, setting
// est_resh.
void yadro_proc1();

// How many solves the kernel has begun in this run, with an observer or
// without: the course of a solve is shown from its record, never by solving
// it again, and the tests count on that.
std::size_t solvesBegun();
