#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/runtime/runtime_error.h"
#include "solver/checked_arrays.h"
#include "solver/yadro.h"

// What the kernel told of one solve, step by step, in the order it worked:
// the one source of the course of a solve, as text and as pictures. The
// kernel runs anew on the system as typed with an observer: the same
// computation on the same numbers as the solve, so the same bits. It stops
// where the solve stopped: at a pivot below the threshold, or at a run-time
// error, which is kept.
struct SolveRecord {
    struct Rotation {
        int i = 0, j = 0;
        bool made = false;  // false: d = 0, no rotation needed
        RotationObserver::Step step{};
        std::vector<std::pair<int, std::pair<double, double>>> rows;  // row k: new A(k,i), A(k,j)
    };
    struct BackRotation {
        int i, j;
        double t, c, s, xi, xj;  // the new x(i), x(j)
    };

    std::vector<Rotation> rotations;
    std::vector<std::vector<double>> triangle;             // L and the tangents, once the rotations are done
    std::vector<std::pair<double, double>> substitutions;  // pivot L(j,j), y(j)
    std::optional<std::pair<int, double>> failedPivot;     // j, L(j,j)
    std::vector<BackRotation> backRotations;
    std::vector<double> x;  // the unknowns, once solved
    bool solved = false;
    std::optional<platform::RuntimeError> stopped;
};

SolveRecord recordSolve(const CoefficientMatrix& a, const EquationVector& b, int n, double threshold);
