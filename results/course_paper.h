#pragma once

#include <vector>

#include <QDate>
#include <QPageLayout>
#include <QStringList>

#include "course/course_steps.h"

class QFontMetricsF;
class QPagedPaintDevice;
class QPrinter;

// The course of a solve on paper: every page headed by the program's title,
// what the pages are (the course, or a report of practice) and the date, the course in a fixed-width font so that its columns stand,
// and the page's number and the count of pages at its foot. A paragraph of
// the course (a rotation, a table with its heading, the unknowns) is never
// cut by a page break unless it is longer than a page. The same pages go to
// a printer and into a PDF file.

// How wide a line of the course may be on paper, in characters: a row of a
// system of eight unknowns stands on one line.
inline constexpr std::size_t PaperCourseWidth = 200;

// A4 with margins no printer clips; upright, or across where the widest line
// would not stand on an upright page in the course's font.
QPageLayout coursePageLayout(const QStringList& lines);

inline const QString CourseSubject = QStringLiteral("Ход решения");
inline const QString StepsSubject = QStringLiteral("Ход решения по шагам");

// Paints the pages; the font shrinks where the widest line would not fit
// across the page at the course's size.
void paintCourse(QPagedPaintDevice& paper, const QStringList& lines, const QDate& date,
                 const QString& subject = CourseSubject);

// The course as a PDF document, on coursePageLayout's page unless one is given.
QByteArray courseAsPdf(const QStringList& lines, const QDate& date, const QPageLayout& layout = {},
                       const QString& subject = CourseSubject);
// The course as plain text: UTF-8, each line ended as the platform ends lines.
QByteArray courseAsText(const QStringList& lines);

// Prints the course on the printer as the print dialog left it. Printing
// into a PDF file is a save: the file is written whole or not at all, and a
// failure is reported under title. False when nothing was printed.
bool printCourse(QPrinter& printer, const QStringList& lines, const QDate& date, const QString& title,
                 const QString& subject = CourseSubject);

// The steps of the course on paper: each its heading ("Шаг k из N"), its
// picture and its words, a step never cut by a page break; on A4 upright,
// with the course's heading and page numbers.
QPageLayout stepsPageLayout();
// The numbers have at most digits significant digits, as the steps were written.
void paintSteps(QPagedPaintDevice& paper, const std::vector<CourseStep>& steps, const QDate& date, int digits = 15);
QByteArray stepsAsPdf(const std::vector<CourseStep>& steps, const QDate& date, int digits = 15,
                      const QPageLayout& layout = {});
bool printSteps(QPrinter& printer, const std::vector<CourseStep>& steps, const QDate& date, const QString& title,
                int digits = 15);

// The fixed-width font the course is shown and printed in.
QFont courseFont();

// Lines of text broken to a width only at blanks, so that a number or an
// index never breaks at its comma; a word wider than the width stands
// whole on a line of its own.
QString wrappedAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width);
