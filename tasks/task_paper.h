#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QDate>

#include "documents/task_set.h"

// A set of tasks on paper, A4 upright, every page headed by the program's
// title, the set's number and the date, and numbered.
//
// The task sheet: the task said once at the top, then each variant
// numbered, its system written as equations with Х1 … Хn and b, a line for
// the student's name and a framed room to work in; a variant is never cut by
// a page break, and as many stand on a page as fit.
QByteArray taskSheetPdf(const std::vector<tasks::Variant>& set, std::uint64_t setNumber, const QDate& date);

// The answer key: per variant its unknowns, each rotation's t and p and the
// diagonal of L to four decimals, in a fixed-width font; a variant is never
// cut by a page break.
QByteArray answerKeyPdf(const std::vector<tasks::Variant>& set, std::uint64_t setNumber, const QDate& date);
