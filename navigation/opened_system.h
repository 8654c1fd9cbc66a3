#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "documents/solve_document.h"

// A system put into the coefficient grid whole, instead of typed box by
// box: opened from a file, or the last system again. The grid opens sized to
// it, its boxes filled; the right-hand sides wait for their window, which
// shows them when it opens next.
struct SystemTexts {
    int n = 0;
    std::vector<std::vector<QString>> coefficients;  // n rows of n texts
    std::vector<QString> rightHandSides;              // n texts, or none
    QString notice;  // what the grid tells about how the system was read, if anything
};

// Stores n as the count of the system, unloads the windows of the road
// (the main window, the count step, the grid, the right-hand sides and the
// results, as a step of the road would) and shows the grid filled with the
// system, the focus on its first box.
void openSystemInGrid(const SystemTexts& system);

// The texts of the system as the entry windows accepted them: the grid's at
// "Далее", which forgets the right-hand sides of an earlier system, and the
// right-hand sides' at "Вычислить". The system saved and opened again is the
// one solved, each value as typed, not as the results write it.
void keepAcceptedCoefficients(std::vector<std::vector<QString>> texts);
void keepAcceptedRightHandSides(std::vector<QString> texts);
SystemTexts acceptedSystem();

// The solve command's record of a solve of the accepted system: its
// document, kept as the last solve whatever the solve's end.
void keepTheSolveOfTheAcceptedSystem();
// The document of a solve of the accepted coefficients with the right-hand
// sides given, as typed: what practice starts on before the solve command.
SolveDocument documentOfAcceptedSystem(const EquationVector& rightHandSides, const std::vector<QString>& typed);

// The system of the last solve as it was typed; nothing before the first solve.
std::optional<SystemTexts> lastSystem();
// Opens the last system in the grid, if there is one: the command F3 of the
// windows a solve leads back to.
void openLastSystem();
inline const QString RepeatCommand = QStringLiteral("Повторить последнюю систему");

// What waits for the grid and for the right-hand-side window: each takes its
// texts once, as it loads.
std::vector<std::vector<QString>> takeWaitingCoefficients();
std::vector<QString> takeWaitingRightHandSides();
QString takeWaitingNotice();
