#pragma once

#include <functional>

#include <QByteArray>
#include <QDate>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// Pages of the program on paper: each headed by the program's title, what
// the pages are (the course, a report, tasks) and the date, over a rule,
// and numbered at its foot. The same pages go to a printer and into a PDF
// file.

// Millimetres: room for the heading and the page number on any printer.
inline const QMarginsF PaperMargins(20, 15, 15, 15);

class PaperPages {
public:
    PaperPages(QPagedPaintDevice& paper, QPainter& painter, const QDate& date, const QString& subject);

    const QRectF& page() const { return page_; }
    // Where the content of a page goes.
    QRectF room() const { return page_.adjusted(0, headingHeight_ * 2, 0, -headingHeight_ * 2); }
    // Begins page number of count, framed.
    void begin(std::size_t number, std::size_t count);

private:
    QPagedPaintDevice& paper_;
    QPainter& painter_;
    QRectF page_;
    QFont heading_;
    qreal headingHeight_ = 0;
    QString title_, day_;
};

// A PDF document, titled, of the pages that paint paints on the layout given.
QByteArray pdfDocument(const QPageLayout& layout, const QString& title,
                       const std::function<void(QPagedPaintDevice&)>& paint);

// Prints on the printer as the print dialog left it, with the program's
// margins. Printing into a PDF file is a save: the file is written whole or
// not at all (pdf makes it for the layout), and a failure is reported under
// title. False when nothing was printed.
bool printOnPaper(QPrinter& printer, const QString& title, const std::function<QByteArray(const QPageLayout&)>& pdf,
                  const std::function<void(QPagedPaintDevice&)>& paint);
