#pragma once

#include <string>
#include <vector>

#include "platform/runtime/number_rules.h"
#include "solver/checked_arrays.h"

// The course of a solve, written out in Russian for a student or a teacher
// who checks the rotation method by hand: the system as typed, each rotation
// with d, e, t, c, s and p and the rows it turned, the matrix after the
// rotations (the triangular part and the stored tangents told apart), the
// forward substitution with each pivot tested against the threshold, the
// back rotations, the unknowns, and each equation's left-hand side, right-
// hand side and share of the error figure. Numbers by the general rule.
//
// The kernel runs anew on the system as typed, with an observer: it is the
// same computation on the same numbers as the solve, so the course has the
// same bits. It stops where the solve stopped: at a pivot below the
// threshold, or at a run-time error, which it names.
std::vector<std::u16string> courseOfSolve(const CoefficientMatrix& a, const EquationVector& b, int n,
                                          double threshold, const platform::NumberFormat& format);
