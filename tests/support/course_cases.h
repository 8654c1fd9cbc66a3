#pragma once

#include <sstream>

#include "documents/solve_document.h"
#include "platform/runtime/number_rules.h"
#include "solver/yadro.h"
#include "support/data_file.h"

// A case of tests/data/course_cases.tsv: its system solved into the document
// the course is written from, and the settings it is written under.
inline SolveDocument solvedCase(const DataRow& row)
{
    CoefficientMatrix a;
    EquationVector b;
    std::istringstream rows(row.at(1));
    int n = 0;
    for (std::string line; std::getline(rows, line, ';');) {
        std::istringstream cells(line);
        ++n;
        int j = 0;
        for (std::string cell; cells >> cell;)
            a(n, ++j) = *dataNumber(cell);
    }
    std::istringstream answers(row.at(2));
    int i = 0;
    for (std::string cell; answers >> cell;)
        b(++i) = *dataNumber(cell);
    return documentOfSolve(a, b, n, PivotThreshold);
}

inline platform::NumberFormat settingsOfCase(const DataRow& row)
{
    return row.at(3) == "ru" ? platform::NumberFormat::russian() : platform::NumberFormat::english();
}

// The case whose file is named so.
inline DataRow courseCase(const std::string& file)
{
    for (const DataRow& row : dataRows("course_cases.tsv")) {
        if (row.at(4) == file)
            return row;
    }
    throw std::runtime_error("no course case " + file);
}

