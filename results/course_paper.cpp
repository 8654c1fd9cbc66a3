#include "results/course_paper.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "platform/regional_settings.h"
#include "platform/saved_file.h"
#include "results/paper_pages.h"
#include "results/step_picture.h"

namespace {

constexpr qreal CourseSize = 9;    // points, as in the window
constexpr qreal SmallestSize = 6;  // the least a line of the course shrinks to on paper

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
    const QPageLayout upright(QPageSize(QPageSize::A4), QPageLayout::Portrait, PaperMargins, QPageLayout::Millimeter);
    if (widestLine(lines) <= upright.paintRect(QPageLayout::Point).width())
        return upright;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, PaperMargins, QPageLayout::Millimeter);
}


void paintCourse(QPagedPaintDevice& paper, const QStringList& lines, const QDate& date, const QString& subject)
{
    QPainter painter(&paper);
    PaperPages pages(paper, painter, date, subject);
    const QRectF room = pages.room();
    const qreal across = room.width() * 72 / paper.logicalDpiX();
    const QFont course = courseFontOfSize(
        std::clamp(CourseSize * across / std::max<qreal>(widestLine(lines), 1), SmallestSize, CourseSize));
    const QFontMetricsF courseMetrics(course, &paper);
    const int perPage = std::max(1, static_cast<int>(room.height() / courseMetrics.lineSpacing()));
    const std::vector<QStringList> texts = pagesOf(lines, perPage);
    for (std::size_t number = 1; number <= texts.size(); ++number) {
        pages.begin(number, texts.size());
        painter.setFont(course);
        qreal baseline = room.top() + courseMetrics.ascent();
        for (const QString& line : texts[number - 1]) {
            painter.drawText(QPointF(room.left(), baseline), line);
            baseline += courseMetrics.lineSpacing();
        }
    }
}

QPageLayout stepsPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, PaperMargins, QPageLayout::Millimeter);
}

QString wrappedAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString longer = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines.append(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

namespace {

// A step on paper: its heading, its picture, its words, and the page it
// stands on. A step starts a page where it does not fit on the rest of the
// one before.
struct StepBlock {
    QString heading, text;
    std::unique_ptr<StepPicture> picture;
    qreal textHeight = 0, height = 0;
    std::size_t page = 1;
};

std::vector<StepBlock> stepBlocks(QPagedPaintDevice& paper, const std::vector<CourseStep>& steps, const QRectF& room,
                                  int digits)
{
    const QFont words = courseFont();
    QFont heading = words;
    heading.setBold(true);
    const QFontMetricsF wordMetrics(words, &paper), headingMetrics(heading, &paper);
    const qreal gap = wordMetrics.lineSpacing();
    std::vector<StepBlock> blocks;
    std::optional<StepPicture::Arrangement> rotations;  // one for every rotation
    qreal used = 0;
    std::size_t page = 1;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        StepBlock block;
        block.heading = QString::fromStdU16String(stepHeading(k + 1, steps.size(), steps[k].title));
        QStringList lines;
        for (const auto& line : steps[k].text)
            lines.append(QString::fromStdU16String(line));
        block.text = wrappedAtBlanks(lines.join(u'\n'), wordMetrics, room.width());
        block.textHeight = wordMetrics.lineSpacing() * static_cast<qreal>(block.text.count(u'\n') + 1);
        const qreal pictureRoom = room.height() - headingMetrics.lineSpacing() - block.textHeight - 2 * gap;
        const bool rotation = steps[k].kind == CourseStep::Kind::Rotation;
        if (rotation && !rotations)
            rotations = StepPicture::rotationsArrangement(steps, QSizeF(room.width(), 0), words, &paper,
                                                          platform::regionalSettings(), digits);
        block.picture = std::make_unique<StepPicture>(steps[k], QSizeF(room.width(), std::max<qreal>(pictureRoom, gap)),
                                                      words, &paper, platform::regionalSettings(), 1, digits,
                                                      rotation ? &*rotations : nullptr);
        block.height = headingMetrics.lineSpacing() + block.picture->size().height() + gap + block.textHeight + gap;
        if (used > 0 && used + block.height > room.height()) {
            ++page;
            used = 0;
        }
        block.page = page;
        used += block.height;
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// Black on white, whatever the screen's theme.
QPalette paperColours()
{
    QPalette colours;
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::AlternateBase, QColor(240, 240, 240));
    colours.setColor(QPalette::Mid, QColor(160, 160, 160));
    colours.setColor(QPalette::Highlight, QColor(0, 90, 200));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    return colours;
}

}  // namespace

void paintSteps(QPagedPaintDevice& paper, const std::vector<CourseStep>& steps, const QDate& date, int digits)
{
    QPainter painter(&paper);
    PaperPages pages(paper, painter, date, CourseSubject);
    const QRectF room = pages.room();
    const QFont words = courseFont();
    QFont heading = words;
    heading.setBold(true);
    const qreal headingLine = QFontMetricsF(heading, &paper).lineSpacing(), gap = QFontMetricsF(words, &paper).lineSpacing();
    const std::vector<StepBlock> blocks = stepBlocks(paper, steps, room, digits);
    qreal top = room.top();
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        if (k == 0 || blocks[k].page != blocks[k - 1].page) {
            pages.begin(blocks[k].page, blocks.back().page);
            top = room.top();
        }
        const StepBlock& block = blocks[k];
        painter.setFont(heading);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(room.left(), top, room.width(), headingLine), Qt::AlignLeft | Qt::AlignVCenter,
                         block.heading);
        top += headingLine;
        block.picture->paint(painter, QPointF(room.left(), top), paperColours());
        top += block.picture->size().height() + gap;
        painter.setFont(words);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(room.left(), top, room.width(), block.textHeight), Qt::AlignLeft | Qt::AlignTop, block.text);
        top += block.textHeight + gap;
    }
}

QByteArray courseAsPdf(const QStringList& lines, const QDate& date, const QPageLayout& layout, const QString& subject)
{
    return pdfDocument(layout.isValid() ? layout : coursePageLayout(lines), subject,
                       [&](QPagedPaintDevice& paper) { paintCourse(paper, lines, date, subject); });
}

QByteArray stepsAsPdf(const std::vector<CourseStep>& steps, const QDate& date, int digits, const QPageLayout& layout)
{
    return pdfDocument(layout.isValid() ? layout : stepsPageLayout(), StepsSubject,
                       [&](QPagedPaintDevice& paper) { paintSteps(paper, steps, date, digits); });
}

QByteArray courseAsText(const QStringList& lines)
{
    const QString lineEnd = QString::fromLatin1(platform::TextLineEnd);
    return (lines.join(lineEnd) + lineEnd).toUtf8();
}

bool printCourse(QPrinter& printer, const QStringList& lines, const QDate& date, const QString& title,
                 const QString& subject)
{
    return printOnPaper(
        printer, title, [&](const QPageLayout& layout) { return courseAsPdf(lines, date, layout, subject); },
        [&](QPagedPaintDevice& paper) { paintCourse(paper, lines, date, subject); });
}

bool printSteps(QPrinter& printer, const std::vector<CourseStep>& steps, const QDate& date, const QString& title,
                int digits)
{
    return printOnPaper(
        printer, title, [&](const QPageLayout& layout) { return stepsAsPdf(steps, date, digits, layout); },
        [&](QPagedPaintDevice& paper) { paintSteps(paper, steps, date, digits); });
}
