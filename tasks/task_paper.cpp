#include "tasks/task_paper.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include "platform/regional_settings.h"
#include "results/course_paper.h"
#include "results/paper_pages.h"

namespace {

const QString Task = QStringLiteral("Решите систему линейных уравнений методом вращений.");
const QString Student = QStringLiteral("Студент: ______________________________");
// The room to work in under each variant, in millimetres.
constexpr qreal WorkRoom = 45;
constexpr qreal EquationSize = 10;  // points, shrunk where the longest equation would not fit across

QString subject(const QString& what, std::uint64_t setNumber)
{
    return QStringLiteral("%1, набор № %2").arg(what).arg(setNumber);
}

QStringList equations(const tasks::Variant& variant)
{
    QStringList lines;
    for (const std::u16string& line : tasks::equations(variant, platform::regionalSettings()))
        lines.append(QString::fromStdU16String(line));
    return lines;
}

// How a variant stands on the sheet: the fonts, the heights of its parts.
struct Sheet {
    QFont heading, words, equation;
    qreal headingLine = 0, equationLine = 0, workRoom = 0, gap = 0;

    Sheet(const QPagedPaintDevice& paper, const std::vector<tasks::Variant>& set, qreal width)
    {
        heading.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        heading.setPointSizeF(11);
        words = heading;
        words.setPointSizeF(10);
        heading.setBold(true);
        equation = courseFont();
        equation.setPointSizeF(EquationSize);
        qreal widest = 1;
        for (const tasks::Variant& variant : set) {
            for (const QString& line : equations(variant))
                widest = std::max(widest, QFontMetricsF(equation, &paper).horizontalAdvance(line));
        }
        if (widest > width)
            equation.setPointSizeF(EquationSize * width / widest);
        headingLine = QFontMetricsF(heading, &paper).lineSpacing() * 1.4;
        equationLine = QFontMetricsF(equation, &paper).lineSpacing();
        gap = QFontMetricsF(words, &paper).lineSpacing();
        workRoom = WorkRoom / 25.4 * paper.logicalDpiY();
    }

    qreal height(const tasks::Variant& variant) const
    {
        return headingLine + equationLine * qreal(variant.x.size()) + gap * 0.5 + workRoom + gap;
    }
};

// The page of each variant: a variant starts a page where it does not fit
// on the rest of the one before.
std::vector<std::size_t> pagesOf(const std::vector<tasks::Variant>& set, const Sheet& sheet, qreal room, qreal first)
{
    std::vector<std::size_t> pages;
    std::size_t page = 1;
    qreal used = first;
    for (const tasks::Variant& variant : set) {
        if (used > 0 && used + sheet.height(variant) > room) {
            ++page;
            used = 0;
        }
        pages.push_back(page);
        used += sheet.height(variant);
    }
    return pages;
}

void paintVariant(QPainter& painter, const Sheet& sheet, const tasks::Variant& variant, const QRectF& room, qreal top)
{
    painter.setPen(Qt::black);
    painter.setFont(sheet.heading);
    const QRectF headingLine(room.left(), top, room.width(), sheet.headingLine);
    painter.drawText(headingLine, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Вариант %1").arg(variant.number));
    painter.setFont(sheet.words);
    painter.drawText(headingLine, Qt::AlignRight | Qt::AlignVCenter, Student);
    top += sheet.headingLine;
    painter.setFont(sheet.equation);
    const QFontMetricsF metrics(sheet.equation, painter.device());
    for (const QString& line : equations(variant)) {
        painter.drawText(QPointF(room.left(), top + metrics.ascent()), line);
        top += sheet.equationLine;
    }
    top += sheet.gap * 0.5;
    // The room to work in, framed in grey so that the page reads as a form.
    painter.setPen(QPen(QColor(150, 150, 150), 0));
    painter.drawRect(QRectF(room.left(), top, room.width(), sheet.workRoom));
}

void paintTaskSheet(QPagedPaintDevice& paper, const std::vector<tasks::Variant>& set, std::uint64_t setNumber,
                    const QDate& date)
{
    QPainter painter(&paper);
    PaperPages pages(paper, painter, date, subject(QStringLiteral("Задания"), setNumber));
    const QRectF room = pages.room();
    const Sheet sheet(paper, set, room.width());
    const qreal taskLine = sheet.headingLine + sheet.gap * 0.5;
    const std::vector<std::size_t> pageOf = pagesOf(set, sheet, room.height(), taskLine);
    const std::size_t count = pageOf.empty() ? 1 : pageOf.back();
    pages.begin(1, count);
    painter.setFont(sheet.heading);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(room.left(), room.top(), room.width(), sheet.headingLine), Qt::AlignLeft | Qt::AlignVCenter,
                     Task);
    qreal top = room.top() + taskLine;
    for (std::size_t k = 0; k < set.size(); ++k) {
        if (k > 0 && pageOf[k] != pageOf[k - 1]) {
            pages.begin(pageOf[k], count);
            top = room.top();
        }
        paintVariant(painter, sheet, set[k], room, top);
        top += sheet.height(set[k]);
    }
}

}  // namespace

QByteArray taskSheetPdf(const std::vector<tasks::Variant>& set, std::uint64_t setNumber, const QDate& date)
{
    const QPageLayout upright(QPageSize(QPageSize::A4), QPageLayout::Portrait, PaperMargins, QPageLayout::Millimeter);
    return pdfDocument(upright, subject(QStringLiteral("Задания"), setNumber),
                       [&](QPagedPaintDevice& paper) { paintTaskSheet(paper, set, setNumber, date); });
}

QByteArray answerKeyPdf(const std::vector<tasks::Variant>& set, std::uint64_t setNumber, const QDate& date)
{
    QStringList lines;
    for (const std::u16string& line : tasks::answerKey(set, platform::regionalSettings()))
        lines.append(QString::fromStdU16String(line));
    return courseAsPdf(lines, date, {}, subject(QStringLiteral("Ответы"), setNumber));
}
