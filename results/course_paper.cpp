#include "results/course_paper.h"

#include <algorithm>
#include <vector>

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/saved_file.h"

namespace {

constexpr qreal CourseSize = 9;    // points, as in the window
constexpr qreal SmallestSize = 6;  // the least a line of the course shrinks to on paper
// Millimetres: room for the heading and the page number on any printer.
const QMarginsF Margins(20, 15, 15, 15);

QFont courseFontOfSize(qreal points)
{
    QFont font = courseFont();
    font.setPointSizeF(points);
    return font;
}

// The width of the widest line at the course's size, in points.
qreal widestLine(const QStringList& lines)
{
    QImage points(1, 1, QImage::Format_RGB32);  // a device of 72 dots to the inch measures in points
    points.setDotsPerMeterX(qRound(72 / 0.0254));
    points.setDotsPerMeterY(qRound(72 / 0.0254));
    const QFontMetricsF metrics(courseFontOfSize(CourseSize), &points);
    qreal widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The lines of each page. A paragraph (the lines between two empty ones)
// that fits on a page but not on the rest of this one starts the next; an
// empty line never opens a page.
std::vector<QStringList> pagesOf(const QStringList& lines, int perPage)
{
    std::vector<QStringList> pages(1);
    for (qsizetype start = 0; start < lines.size();) {
        qsizetype text = start;
        while (text < lines.size() && lines[text].isEmpty())
            ++text;
        qsizetype end = text;
        while (end < lines.size() && !lines[end].isEmpty())
            ++end;
        if (!pages.back().isEmpty() && pages.back().size() + (end - start) > perPage && end - text <= perPage)
            pages.emplace_back();
        for (qsizetype k = start; k < end; ++k) {
            if (pages.back().size() == perPage)
                pages.emplace_back();
            if (!pages.back().isEmpty() || !lines[k].isEmpty())
                pages.back().append(lines[k]);
        }
        start = end;
    }
    return pages;
}

}  // namespace

QFont courseFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(CourseSize);
    return font;
}

QPageLayout coursePageLayout(const QStringList& lines)
{
    const QPageLayout upright(QPageSize(QPageSize::A4), QPageLayout::Portrait, Margins, QPageLayout::Millimeter);
    if (widestLine(lines) <= upright.paintRect(QPageLayout::Point).width())
        return upright;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, Margins, QPageLayout::Millimeter);
}

void paintCourse(QPagedPaintDevice& paper, const QStringList& lines, const QDate& date)
{
    QPainter painter(&paper);
    const QRectF page(QPointF(), paper.pageLayout().paintRectPixels(paper.logicalDpiX()).size());
    QFont heading;
    heading.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    heading.setPointSizeF(10);
    const qreal across = page.width() * 72 / paper.logicalDpiX();
    const QFont course = courseFontOfSize(
        std::clamp(CourseSize * across / std::max<qreal>(widestLine(lines), 1), SmallestSize, CourseSize));
    const QFontMetricsF headingMetrics(heading, &paper), courseMetrics(course, &paper);
    const qreal top = headingMetrics.height() * 2;
    const qreal bottom = headingMetrics.height() * 2;
    const int perPage = std::max(1, static_cast<int>((page.height() - top - bottom) / courseMetrics.lineSpacing()));
    const std::vector<QStringList> pages = pagesOf(lines, perPage);
    const QString title = platform::fromUtf8(platform::applicationTitle()) + QStringLiteral(". Ход решения");
    const QString day = QLocale(QLocale::Russian, QLocale::Russia).toString(date, QStringLiteral("d MMMM yyyy"));

    for (std::size_t number = 1; number <= pages.size(); ++number) {
        if (number > 1)
            paper.newPage();
        painter.setFont(heading);
        const QRectF headingLine(page.left(), page.top(), page.width(), headingMetrics.height());
        painter.drawText(headingLine, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.drawText(headingLine, Qt::AlignRight | Qt::AlignVCenter, day);
        painter.drawLine(QPointF(page.left(), headingLine.bottom() + headingMetrics.height() / 2),
                         QPointF(page.right(), headingLine.bottom() + headingMetrics.height() / 2));
        painter.drawText(QRectF(page.left(), page.bottom() - headingMetrics.height(), page.width(),
                                headingMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Страница %1 из %2").arg(number).arg(pages.size()));
        painter.setFont(course);
        qreal baseline = page.top() + top + courseMetrics.ascent();
        for (const QString& line : pages[number - 1]) {
            painter.drawText(QPointF(page.left(), baseline), line);
            baseline += courseMetrics.lineSpacing();
        }
    }
}

QByteArray courseAsPdf(const QStringList& lines, const QDate& date, const QPageLayout& layout)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Ход решения"));
        writer.setCreator(platform::fromUtf8(platform::applicationTitle()));
        writer.setPageLayout(layout.isValid() ? layout : coursePageLayout(lines));
        paintCourse(writer, lines, date);
    }
    return pdf;
}

QByteArray courseAsText(const QStringList& lines)
{
    const QString lineEnd = QString::fromLatin1(platform::TextLineEnd);
    return (lines.join(lineEnd) + lineEnd).toUtf8();
}

bool printCourse(QPrinter& printer, const QStringList& lines, const QDate& date, const QString& title)
{
    // The paper and the way round the user chose, with the course's margins.
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(Margins);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return platform::saveFile(printer.outputFileName(), courseAsPdf(lines, date, layout), title);
    printer.setPageMargins(Margins, QPageLayout::Millimeter);
    paintCourse(printer, lines, date);
    return true;
}
