#pragma once

#include <functional>
#include <optional>

#include "course/practice.h"
#include "documents/solve_document.h"
#include "platform/command.h"

// Practice on a system: the practice window opens on it, where the student
// stopped on it before, or at its start.
void startPractice(SolveDocument system);
// The system practice was last started on; none before.
const SolveDocument* practiceSystem();

// What the student has done on the system practice is on, kept while the
// program runs: the practice, and the step shown (past the last, the
// summary). None where the student has not started on it.
struct PracticeProgress {
    practice::Practice practice;
    std::size_t shown = 0;
};
PracticeProgress* practiceProgress();
PracticeProgress& keepPracticeProgress(PracticeProgress progress);
void forgetPracticeProgress();
// As at the start of a run: no system, no progress on any.
void forgetAllPractice();

// The command that starts practice in the windows that offer it, on the
// system the window gives; none given (a box refused, say), none started.
platform::Command practiceCommand(std::function<std::optional<SolveDocument>()> system);
// The command on the system of the last solve, in the windows a solve leads back to.
platform::Command practiceOnLastSolve();
