#include "results/paper_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "navigation/saving.h"
#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/saved_file.h"

PaperPages::PaperPages(QPagedPaintDevice& paper, QPainter& painter, const QDate& date, const QString& subject)
    : paper_(paper),
      painter_(painter),
      page_(QPointF(), paper.pageLayout().paintRectPixels(paper.logicalDpiX()).size()),
      title_(platform::fromUtf8(platform::applicationTitle()) + QStringLiteral(". ") + subject),
      day_(QLocale(QLocale::Russian, QLocale::Russia).toString(date, QStringLiteral("d MMMM yyyy")))
{
    heading_.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    heading_.setPointSizeF(10);
    headingHeight_ = QFontMetricsF(heading_, &paper).height();
}

void PaperPages::begin(std::size_t number, std::size_t count)
{
    if (number > 1)
        paper_.newPage();
    painter_.save();
    painter_.setFont(heading_);
    painter_.setPen(Qt::black);
    const QRectF headingLine(page_.left(), page_.top(), page_.width(), headingHeight_);
    painter_.drawText(headingLine, Qt::AlignLeft | Qt::AlignVCenter, title_);
    painter_.drawText(headingLine, Qt::AlignRight | Qt::AlignVCenter, day_);
    painter_.drawLine(QPointF(page_.left(), headingLine.bottom() + headingHeight_ / 2),
                      QPointF(page_.right(), headingLine.bottom() + headingHeight_ / 2));
    painter_.drawText(QRectF(page_.left(), page_.bottom() - headingHeight_, page_.width(), headingHeight_),
                      Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Страница %1 из %2").arg(number).arg(count));
    painter_.restore();
}

QByteArray pdfDocument(const QPageLayout& layout, const QString& title,
                       const std::function<void(QPagedPaintDevice&)>& paint)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(platform::fromUtf8(platform::applicationTitle()));
        writer.setPageLayout(layout);
        paint(writer);
    }
    return pdf;
}

namespace {

// The layout the print dialog left, with the program's margins.
QPageLayout printedLayout(QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(PaperMargins);
    return layout;
}

}  // namespace

bool printOnPaper(QPrinter& printer, const QString& title, const std::function<QByteArray(const QPageLayout&)>& pdf,
                  const std::function<void(QPagedPaintDevice&)>& paint)
{
    const QPageLayout layout = printedLayout(printer);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return saveOrTell(printer.outputFileName(), pdf(layout), title);
    printer.setPageMargins(PaperMargins, QPageLayout::Millimeter);
    paint(printer);
    return true;
}
