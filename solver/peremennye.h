#pragma once

#include <cstdint>
#include <string>

#include "solver/checked_arrays.h"

// The shared state of a solve: everything the windows of one solve have in
// common, alive from program start to program end and never cleared. Rows
// and columns 1..n of the arrays are the ones in use; index 0 is never read
// or written.

// The largest system the arrays hold: 8 equations in 8 unknowns; the
// smallest the program solves: 2 in 2.
inline constexpr int MaxUnknowns = 8;
inline constexpr int MinUnknowns = 2;

struct Peremennye {
    // n, as the user typed it in the count step: one digit from 2 to 8.
    std::u16string kol_neizv;
    // The augmented matrix, rows 0..8 and columns 0..9: coefficient (i, j) of
    // equation i and unknown j, the right-hand side of equation i in column
    // n + 1. The solver overwrites the coefficients.
    AugmentedMatrix matr_rassh;
    // The coefficients as typed, rows and columns 0..8; never changed by the solver.
    CoefficientMatrix matr_kopiya;
    // The right-hand sides as typed, 0..8; never changed by the solver.
    EquationVector otvety_kopiya;
    // The solution, 0..8; the solver's work vector while it runs.
    EquationVector x_resh;
    // True when the last solve produced a solution, false when it stopped at
    // a pivot below the threshold.
    bool est_resh = false;
    // The solver's pivot threshold, stored at the start of every solve.
    double tochnost = 0.0;
};

// The one record of the whole run.
Peremennye& peremennye();

// n as a count for loop bounds: the text of kol_neizv converted to a number
// and rounded to the nearest whole number (halves to even). A text that is
// not a number raises the type-mismatch error, a count outside 0..255 the
// overflow error.
std::uint8_t unknownCount(const std::u16string& kol_neizv);
// The same for the count the shared state holds now.
std::uint8_t unknownCount();
