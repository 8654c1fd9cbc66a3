#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "checked_double.h"
#include "runtime_error.h"

// The shared state of a solve: everything the windows of one solve have in
// common, alive from program start to program end and never cleared. The
// arrays are indexed from 0, as declared, and every access is checked against
// the declared range; rows and columns 1..n are the ones in use.

template <int Size>
class CheckedVector {
public:
    platform::CheckedDouble& operator()(int i) { return cells_[checkedIndex(i)]; }
    const platform::CheckedDouble& operator()(int i) const { return cells_[checkedIndex(i)]; }

private:
    static std::size_t checkedIndex(int i)
    {
        if (i < 0 || i >= Size)
            platform::raiseSubscriptOutOfRange();
        return static_cast<std::size_t>(i);
    }

    std::array<platform::CheckedDouble, Size> cells_{};
};

template <int Rows, int Columns>
class CheckedMatrix {
public:
    platform::CheckedDouble& operator()(int i, int j) { return cells_[checkedIndex(i, j)]; }
    const platform::CheckedDouble& operator()(int i, int j) const { return cells_[checkedIndex(i, j)]; }

private:
    static std::size_t checkedIndex(int i, int j)
    {
        if (i < 0 || i >= Rows || j < 0 || j >= Columns)
            platform::raiseSubscriptOutOfRange();
        return static_cast<std::size_t>(i * Columns + j);
    }

    std::array<platform::CheckedDouble, Rows * Columns> cells_{};
};

struct Peremennye {
    // n, as the user typed it in the count step: one digit from 2 to 8.
    std::u16string kol_neizv;
    // The augmented matrix, rows 0..8 and columns 0..9: coefficient (i, j) of
    // equation i and unknown j, the right-hand side of equation i in column
    // n + 1. The solver overwrites the coefficients.
    CheckedMatrix<9, 10> matr_rassh;
    // The coefficients as typed, rows and columns 0..8; never changed by the solver.
    CheckedMatrix<9, 9> matr_kopiya;
    // The right-hand sides as typed, 0..8; never changed by the solver.
    CheckedVector<9> otvety_kopiya;
    // The solution, 0..8; the solver's work vector while it runs.
    CheckedVector<9> x_resh;
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
