#pragma once

#include "platform/runtime/checked_double.h"
#include "solver/checked_arrays.h"

// How well a solution x meets the system a x = b as typed: equation i
// contributes |(s_i - b_i) / s_i| * 100, its residual relative to its
// computed left-hand side s_i = a(i, 1) x(1) + ... + a(i, n) x(n), summed
// from j = 1 in that order. A left-hand side of exactly 0 meets an equation
// whose right-hand side is 0 too (0 %) and misses any other by all of it
// (100 %). Every step is checked: a product or sum beyond the double range
// raises the overflow error.
struct EquationError {
    platform::CheckedDouble leftHandSide;
    platform::CheckedDouble term;  // in percent
};

EquationError equationError(const CoefficientMatrix& a, const EquationVector& b, const EquationVector& x, int n, int i);

// The error figure: the sum of the terms of equations 1..n, in percent (not
// the largest term, not the mean).
platform::CheckedDouble errorFigure(const CoefficientMatrix& a, const EquationVector& b, const EquationVector& x, int n);
