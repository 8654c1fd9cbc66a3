#pragma once

// Solves the system held in the shared state by the rotation method.
//
// Input: n from kol_neizv (2 <= n <= 8), the coefficients a(i, j) in
// matr_rassh(i, j) and the right-hand sides b(i) in matr_rassh(i, n + 1),
// 1 <= i, j <= n.
//
// What it computes. Plane rotations G of pairs of columns (i, j), made row by
// row from the top and, within a row, for the cells right of the diagonal
// from left to right, turn A into the lower-triangular L = A G1 G2 ... GN.
// Forward substitution solves L y = b, and x = G1 G2 ... GN y, applying GN
// first, is the solution, since A x = L (G1 ... GN)^T x = L y = b.
//
// How a rotation is stored. A rotation by the angle theta is kept as the
// tangent of its half angle, t = tan(theta / 2), |t| <= 1, in the very cell
// (i, j) that it has made zero; c = (1 - t^2) / (1 + t^2), s = 2t / (1 + t^2).
// A cell that already held 0 keeps 0, which reads back as the identity.
//
// Output: x_resh(1..n) and est_resh true; or est_resh false when a pivot of L
// is below tochnost (1E-07) in magnitude, an absolute test with no scaling.
// matr_rassh is left holding L on and below the diagonal and the stored
// tangents above it; column n + 1 is not changed.
//
// Faults: every arithmetic step is checked (platform::CheckedDouble), so an
// overflow raises the runtime's overflow error at once and the solve ends
// there; entries near the double range are the only way to get one. Every
// array access is checked against the declared ranges.
//
// Bit-exact results: the order of every operation below is kept on purpose
// (c and s by the reciprocal r while rotating, by division when rotating
// back; sums accumulated in the order given), so a given system gives the
// same bits on every machine built with -ffp-contract=off.
void yadro_proc1();
