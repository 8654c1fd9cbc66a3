#include "results/course_paper.h"

#include <algorithm>

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "platform/regional_settings.h"
#include "platform/runtime/application_data.h"
#include "platform/saved_file.h"

QFont courseFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(9);
    return font;
}

void paintCourse(QPagedPaintDevice& paper, const QStringList& lines, const QDate& date)
{
    QPainter painter(&paper);
    const QRectF page(QPointF(), paper.pageLayout().paintRectPixels(paper.logicalDpiX()).size());
    QFont heading;
    heading.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    heading.setPointSizeF(10);
    const QFont course = courseFont();
    const QFontMetricsF headingMetrics(heading, &paper), courseMetrics(course, &paper);
    const qreal top = headingMetrics.height() * 2;
    const qreal bottom = headingMetrics.height() * 2;
    const int perPage = std::max(1, static_cast<int>((page.height() - top - bottom) / courseMetrics.lineSpacing()));
    const int pages = std::max(1, static_cast<int>((lines.size() + perPage - 1) / perPage));
    const QString title = platform::fromUtf8(platform::applicationTitle()) + QStringLiteral(". Ход решения");
    const QString day = QLocale(QLocale::Russian, QLocale::Russia).toString(date, QStringLiteral("d MMMM yyyy"));

    for (int number = 1; number <= pages; ++number) {
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
                         Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Страница %1 из %2").arg(number).arg(pages));
        painter.setFont(course);
        qreal baseline = page.top() + top + courseMetrics.ascent();
        for (const QString& line : lines.mid((number - 1) * perPage, perPage)) {
            painter.drawText(QPointF(page.left(), baseline), line);
            baseline += courseMetrics.lineSpacing();
        }
    }
}

QByteArray courseAsPdf(const QStringList& lines, const QDate& date)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Ход решения"));
        writer.setCreator(platform::fromUtf8(platform::applicationTitle()));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
                                         QPageLayout::Millimeter));
        paintCourse(writer, lines, date);
    }
    return pdf;
}

QByteArray courseAsText(const QStringList& lines)
{
    const QString lineEnd = QString::fromLatin1(platform::TextLineEnd);
    return (lines.join(lineEnd) + lineEnd).toUtf8();
}
