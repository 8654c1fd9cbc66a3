#pragma once

#include <QDate>
#include <QStringList>

class QPagedPaintDevice;

// The course of a solve on paper: every page headed by the program's title
// and the date, the course in a fixed-width font so that its columns stand,
// and the page's number and the count of pages at its foot. The same pages
// go to a printer and into a PDF file.
void paintCourse(QPagedPaintDevice& paper, const QStringList& lines, const QDate& date);

// The course as a PDF document, A4, its pages as paintCourse paints them.
QByteArray courseAsPdf(const QStringList& lines, const QDate& date);
// The course as plain text: UTF-8, each line ended as the platform ends lines.
QByteArray courseAsText(const QStringList& lines);

// The fixed-width font the course is shown and printed in.
QFont courseFont();
