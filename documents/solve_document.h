#pragma once

#include <optional>
#include <string>
#include <vector>

#include "documents/solve_record.h"
#include "platform/runtime/runtime_error.h"
#include "solver/checked_arrays.h"

// The last solve of a run as one document: the system as it was typed and
// as the entry windows converted it, the threshold, what the kernel told of
// the solve (its record), the check of a solution, and how the solve ended.
// It is made once, when the solve command runs (a solve that stopped
// included); the course as text and as steps, the paper and F3 read it, and
// the kernel is never run again to show, save or print a course. The shared
// variables the windows and the kernel work on stay as they are; this holds
// what goes beyond them.
struct SolveDocument {
    // How well each equation is met by the unknowns found, and the error
    // figure; or the run-time error that stopped the check.
    struct Check {
        std::vector<double> leftHandSides, shares;  // per equation; the share in percent
        std::optional<double> figure;
        std::optional<platform::RuntimeError> stopped;
    };

    int n = 0;
    std::vector<std::vector<std::u16string>> coefficientTexts;  // as typed, n rows of n
    std::vector<std::u16string> rightHandSideTexts;              // as typed, n
    CoefficientMatrix a;
    EquationVector b;
    double threshold = 0;
    SolveRecord record;
    Check check;

    // The run-time error that stopped the solve or its check, if any.
    const std::optional<platform::RuntimeError>& stopped() const;
};

// Solves the system with the kernel's observer (the same computation on the
// same numbers as the solve, so the same bits) and checks the unknowns found.
SolveDocument documentOfSolve(const CoefficientMatrix& a, const EquationVector& b, int n, double threshold,
                              std::vector<std::vector<std::u16string>> coefficientTexts = {},
                              std::vector<std::u16string> rightHandSideTexts = {});

// The document of the last solve of the run; nothing before the first.
const SolveDocument* lastSolve();
void keepLastSolve(SolveDocument document);
// None again, as at the start of a run.
void forgetLastSolve();
