#pragma once

#include <optional>
#include <string>
#include <vector>

#include "documents/solve_document.h"
#include "platform/runtime/number_rules.h"

// The course of a solve as steps to be seen one at a time, each a picture
// and its words: the system as entered; each rotation of two columns, with
// the matrix before and after the rotation and the plane in which the row's
// pair (e, d) turns by −φ to (p, 0); each row of the forward substitution;
// each back rotation of a pair of unknowns, which turns by φ; the unknowns
// and the error figure. A solve that stopped shows its steps up to the stop
// and the stop itself. The numbers are those of the document of the solve
// (the same record as the course's text), written by the same rules with
// the digits chosen; nothing is computed again but the angle, φ = 2·arctg t,
// for the picture, and m² + 1 under the root, as the kernel forms it.
struct CourseStep {
    enum class Kind {
        System,               // the system as entered
        Rotation,             // columns i and j turned; or none, d being 0
        Substitution,         // y(j) from row j of L
        PivotBelowThreshold,  // the pivot of row j that stopped the solve
        BackRotation,         // the unknowns x(i), x(j) turned back
        Unknowns,             // the unknowns and the error figure
        Stop,                 // a run-time error that stopped the solve
    };

    // How a cell is marked. Each mark also has a shape of its own (an
    // outline, a dashed outline, a cross), so that the picture reads without
    // its colours.
    enum class Style {
        Cell,     // a cell the step is about: outlined, labelled (d, e, p, t, ...)
        Changed,  // a cell the step changed: a dashed outline
        Failed,   // the pivot below the threshold: crossed
    };
    struct Mark {
        int row = 0, column = 0;  // from 0
        Style style = Style::Cell;
        std::u16string label;
    };

    // A table of numbers the step shows: a matrix, or a column of values.
    // An empty cell is one not known yet at this step. In a matrix, a cell
    // above the diagonal may hold a stored tangent t rather than a
    // coefficient: it is drawn as one.
    struct Table {
        std::u16string caption;
        std::vector<std::u16string> headers;                 // one per column
        std::vector<std::vector<std::optional<double>>> rows;  // row by row
        std::vector<int> markedColumns;                       // hatched from markedFromRow down, from 0
        int markedFromRow = 0;
        std::vector<Mark> marks;
        std::vector<std::vector<bool>> tangents;  // row by row where any, else empty

        bool isTangent(int row, int column) const
        {
            return row < int(tangents.size()) && tangents[row][column];
        }
        bool isHatched(int row, int column) const;
    };

    // The plane of two columns (or of two unknowns): the pair before the
    // rotation and after it, φ, and the signed angle by which the pair
    // turns, in degrees (counter-clockwise positive): −φ in a rotation of
    // columns, φ in a back rotation.
    struct Plane {
        double fromX = 0, fromY = 0, toX = 0, toY = 0;
        double degrees = 0;
        double turn = 0;
        std::u16string fromLabel, toLabel, axisX, axisY;
        std::u16string turnLabel;  // "−φ = 53,13°"
    };

    Kind kind = Kind::System;
    int i = 0, j = 0;  // the rotation's columns; j alone for a row of the substitution
    std::u16string title;
    std::vector<Table> tables;
    std::optional<Plane> plane;
    // A short line the picture shows large where it has no plane: the pivot
    // against the threshold, the error figure, what stopped the solve.
    std::u16string note;
    std::vector<std::u16string> text;  // the step's words, line by line
};

// The heading of a step, counted from 1: "Шаг 2 из 6: Вращение (1,2)".
std::u16string stepHeading(std::size_t step, std::size_t count, const std::u16string& title);

// The digits a student may choose the numbers written in, the most first.
inline constexpr int StepDigits[] = {15, 10, 6, 4};

std::vector<CourseStep> stepsOfSolve(const SolveDocument& solve, const platform::NumberFormat& format,
                                     int digits = StepDigits[0]);

// A number in at most digits significant digits, as the general rule writes
// it otherwise: for a cell of the picture that is narrower than the number.
std::u16string writeShort(double value, int digits, const platform::NumberFormat& format);

// The angle of a rotation stored as the tangent t of its half: 2·arctg t in
// degrees, and as the picture writes it (two decimals, the settings' separator).
double rotationDegrees(double t);
std::u16string writeDegrees(double degrees, const platform::NumberFormat& format);
