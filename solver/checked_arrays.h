#pragma once

#include <array>
#include <cstddef>

#include "platform/runtime/checked_double.h"
#include "platform/runtime/runtime_error.h"

// Fixed-size arrays of checked doubles, indexed from 0 as declared, whose
// every access is checked against the declared range: an index outside it
// raises the runtime's subscript-out-of-range error.

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

// The arrays of a solve: the augmented matrix (rows 0..8, columns 0..9, the
// right-hand sides in column n + 1), the coefficients as typed (0..8 by
// 0..8), and vectors of one value per equation or unknown (0..8).
using AugmentedMatrix = CheckedMatrix<9, 10>;
using CoefficientMatrix = CheckedMatrix<9, 9>;
using EquationVector = CheckedVector<9>;
