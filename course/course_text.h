#pragma once

#include <string>
#include <vector>

#include "documents/solve_document.h"
#include "platform/runtime/number_rules.h"

// The course of a solve, written out in Russian as a worked solution that a
// student or a teacher checks by hand: the system as typed; a legend of
// every symbol with the formulas the solver computes; each rotation with d,
// e, m, t, p, c and s on lines of their own and the rows it turned; the
// triangular matrix and the stored tangents; the forward substitution with
// each pivot tested against the threshold; the back rotations; the unknowns;
// and each equation's left-hand side, right-hand side and share of the error
// figure. Numbers as the results window writes them: the general rule, and
// the decimal rule for the error figure and its shares. Items on one line
// are separated by "; " and indices written without a blank, so that no
// decimal comma reads as a separator; tables stand in columns for a
// fixed-width font, and no table row is wider than width characters (the
// window's CourseWidth unless paper gives more room): a longer one goes on in
// continuation lines marked "…".
//
// Written from the document of the solve (what the kernel told as it
// solved, and the check): it stops where the solve stopped, at a pivot below
// the threshold or at a run-time error, which it names.
inline constexpr std::size_t CourseWidth = 80;

std::vector<std::u16string> courseOfSolve(const SolveDocument& solve, const platform::NumberFormat& format,
                                          std::size_t width = CourseWidth);
