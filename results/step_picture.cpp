#include "results/step_picture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

using Style = CourseStep::Style;

// The digits a cell of the picture tries, from the general rule's 15 down.
constexpr int DigitsTried[] = {15, 10, 7, 5, 4, 3};

QString text(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

QFont scaled(const QFont& font, qreal factor)
{
    QFont smaller = font;
    smaller.setPointSizeF(font.pointSizeF() * factor);
    return smaller;
}

// An arrow from one point to another, its head at the second.
void arrow(QPainter& painter, const QPointF& from, const QPointF& to, qreal head)
{
    painter.drawLine(from, to);
    const QLineF line(to, from);
    if (line.length() < head)
        return;
    QLineF wing = line;
    wing.setLength(head);
    QPolygonF tip{to};
    for (const qreal turn : {25.0, -25.0}) {
        QLineF side = wing;
        side.setAngle(line.angle() + turn);
        tip << side.p2();
    }
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(tip);
    painter.restore();
}

}  // namespace

StepPicture::StepPicture(const CourseStep& step, const QSizeF& room, const QFont& font, const QPaintDevice* device,
                         const platform::NumberFormat& format, qreal largest)
    : step_(step), font_(font), small_(scaled(font, 0.8)), device_(device), format_(format)
{
    struct Option {
        bool stacked, below;
        int digits;
    };
    const bool several = step.tables.size() > 1;
    const bool side = step.plane || !step.note.empty();
    const auto fits = [&](const QSizeF& size) {
        return size.width() <= room.width() && (room.height() <= 0 || size.height() <= room.height());
    };
    // The most digits that fit, side by side before stacked, beside before
    // below; where none fits, the option that needs the least scaling down.
    Option best{false, false, DigitsTried[0]};
    qreal bestScale = -1;
    for (const int digits : DigitsTried) {
        for (const Option option : {Option{false, false, digits}, Option{false, true, digits},
                                    Option{true, false, digits}, Option{true, true, digits}}) {
            if ((option.stacked && !several) || (option.below && !side))
                continue;
            const QSizeF size = arrange(option.stacked, option.below, digits);
            if (fits(size)) {
                digits_ = digits;
                if (room.height() > 0)
                    scale_ = std::clamp(std::min(room.width() / size.width(), room.height() / size.height()), 1.0,
                                        largest);
                return;
            }
            const qreal scale = std::min(room.width() / size.width(),
                                         room.height() > 0 ? room.height() / size.height() : 1.0);
            if (scale > bestScale * 1.02) {
                best = option;
                bestScale = scale;
            }
        }
    }
    digits_ = best.digits;
    arrange(best.stacked, best.below, best.digits);
    scale_ = std::max<qreal>(bestScale, 0.05);
}

QSizeF StepPicture::arrange(bool stacked, bool planeBelow, int digits)
{
    const QFontMetricsF metrics(font_, device_), smallMetrics(small_, device_);
    const qreal pad = metrics.height() * 0.35, rowHeight = metrics.height() * 1.5, gap = metrics.height();
    const std::size_t rows = step_.tables.empty() ? 0 : step_.tables.front().rows.size();
    const qreal labelWidth = smallMetrics.horizontalAdvance(QString::number(rows)) + 2 * pad;

    placed_.clear();
    QPointF origin;
    QSizeF tables;
    for (const CourseStep::Table& table : step_.tables) {
        Placed placed;
        const std::size_t columns = table.headers.size();
        std::vector<qreal> widths(columns);
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = metrics.horizontalAdvance(text(table.headers[c]));
            for (const auto& row : table.rows) {
                if (row[c])
                    widths[c] = std::max(widths[c], metrics.horizontalAdvance(
                                                        text(writeShort(*row[c], digits, format_))));
            }
        }
        // A labelled cell keeps its label clear of its number.
        for (const CourseStep::Mark& mark : table.marks) {
            if (!mark.label.empty())
                widths[mark.column] = std::max(widths[mark.column],
                                               metrics.horizontalAdvance(text(writeShort(
                                                   table.rows[mark.row][mark.column].value_or(0), digits, format_)))
                                                   + smallMetrics.horizontalAdvance(text(mark.label)) + pad);
        }
        qreal width = labelWidth;
        for (qreal& column : widths) {
            column += 2 * pad;
            width += column;
        }
        // A narrow table is as wide as its caption.
        if (const qreal caption = smallMetrics.horizontalAdvance(text(table.caption)) + pad;
            columns > 0 && width - labelWidth < caption) {
            for (qreal& column : widths)
                column += (caption - (width - labelWidth)) / static_cast<qreal>(columns);
            width = labelWidth + caption;
        }
        const qreal height = smallMetrics.height() * 1.4 + rowHeight * static_cast<qreal>(rows + 1);
        placed.caption = QRectF(origin.x() + labelWidth, origin.y(), width - labelWidth, smallMetrics.height() * 1.4);
        placed.rowLabels = QRectF(origin.x(), placed.caption.bottom() + rowHeight, labelWidth,
                                  rowHeight * static_cast<qreal>(rows));
        qreal x = origin.x() + labelWidth;
        for (std::size_t c = 0; c < columns; ++c) {
            placed.headers.emplace_back(x, placed.caption.bottom(), widths[c], rowHeight);
            x += widths[c];
        }
        for (std::size_t r = 0; r < rows; ++r) {
            placed.cells.emplace_back();
            for (const QRectF& header : placed.headers)
                placed.cells.back().emplace_back(header.left(), header.top() + rowHeight * static_cast<qreal>(r + 1),
                                                 header.width(), rowHeight);
        }
        placed_.push_back(std::move(placed));
        tables = QSizeF(std::max(tables.width(), origin.x() + width), std::max(tables.height(), origin.y() + height));
        origin = stacked ? QPointF(0, origin.y() + height + gap) : QPointF(origin.x() + width + gap, 0);
    }

    side_ = QRectF();
    if (step_.plane) {
        // Below the tables the plane takes no more than it needs.
        const qreal length = planeBelow ? metrics.height() * 12
                                        : std::clamp(tables.height(), metrics.height() * 12, metrics.height() * 18);
        side_ = QRectF(0, 0, length, length);
    } else if (!step_.note.empty()) {
        const QFontMetricsF large(scaled(font_, 1.3), device_);
        side_ = QRectF(0, 0, large.horizontalAdvance(text(step_.note)) + 4 * pad, large.height() * 3);
    }
    if (!side_.isNull())
        side_.moveTopLeft(planeBelow ? QPointF(0, tables.height() + gap) : QPointF(tables.width() + gap, 0));
    natural_ = QSizeF(std::max(tables.width(), side_.isNull() ? 0 : side_.right()),
                      std::max(tables.height(), side_.isNull() ? 0 : side_.bottom()));
    scale_ = 1;
    return natural_;
}

QRectF StepPicture::cellRect(int table, int row, int column) const
{
    const QRectF& cell = placed_.at(table).cells.at(row).at(column);
    return QRectF(cell.topLeft() * scale_, cell.size() * scale_);
}

bool StepPicture::cellAt(const QPointF& point, int& table, int& row, int& column) const
{
    for (std::size_t t = 0; t < placed_.size(); ++t) {
        for (std::size_t r = 0; r < placed_[t].cells.size(); ++r) {
            for (std::size_t c = 0; c < placed_[t].cells[r].size(); ++c) {
                if (cellRect(int(t), int(r), int(c)).contains(point)) {
                    table = int(t), row = int(r), column = int(c);
                    return true;
                }
            }
        }
    }
    return false;
}

void StepPicture::paint(QPainter& painter, const QPointF& at, const QPalette& palette) const
{
    painter.save();
    painter.translate(at);
    painter.scale(scale_, scale_);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t t = 0; t < placed_.size(); ++t)
        paintTable(painter, step_.tables[t], placed_[t], palette);
    if (step_.plane)
        paintPlane(painter, palette);
    else if (!step_.note.empty())
        paintNote(painter, palette);
    painter.restore();
}

void StepPicture::paintTable(QPainter& painter, const CourseStep::Table& table, const Placed& placed,
                             const QPalette& palette) const
{
    const QFontMetricsF metrics(font_, device_);
    const qreal pad = metrics.height() * 0.35;
    const QColor ink = palette.color(QPalette::Text), mark = palette.color(QPalette::Highlight);
    painter.setFont(small_);
    painter.setPen(ink);
    painter.drawText(placed.caption, Qt::AlignLeft | Qt::AlignVCenter, text(table.caption));
    for (std::size_t r = 0; r < placed.cells.size(); ++r)
        painter.drawText(QRectF(placed.rowLabels.left(), placed.cells[r].front().top(), placed.rowLabels.width() - pad,
                                placed.cells[r].front().height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(r + 1));

    // Cells and headers on the base colour, the marked columns hatched.
    const QPen grid(palette.color(QPalette::Mid), 1);
    for (std::size_t c = 0; c < placed.headers.size(); ++c) {
        const bool hatched = std::find(table.markedColumns.begin(), table.markedColumns.end(), int(c))
                             != table.markedColumns.end();
        std::vector<QRectF> column{placed.headers[c]};
        for (const auto& row : placed.cells)
            column.push_back(row[c]);
        for (const QRectF& cell : column) {
            painter.fillRect(cell, palette.color(cell == placed.headers[c] ? QPalette::AlternateBase : QPalette::Base));
            if (hatched)
                painter.fillRect(cell, QBrush(mark, Qt::BDiagPattern));
            painter.setPen(grid);
            painter.drawRect(cell);
        }
    }
    painter.setFont(font_);
    painter.setPen(ink);
    for (std::size_t c = 0; c < placed.headers.size(); ++c)
        painter.drawText(placed.headers[c], Qt::AlignCenter, text(table.headers[c]));
    for (std::size_t r = 0; r < placed.cells.size(); ++r) {
        for (std::size_t c = 0; c < placed.cells[r].size(); ++c) {
            if (const auto& value = table.rows[r][c])
                painter.drawText(placed.cells[r][c].adjusted(pad, 0, -pad, 0), Qt::AlignRight | Qt::AlignVCenter,
                                 text(writeShort(*value, digits_, format_)));
        }
    }

    // The marks: an outline, dashed for a changed cell, a cross for the
    // failed pivot; a label in the corner.
    const qreal thick = std::max<qreal>(2, metrics.height() * 0.12);
    for (const CourseStep::Mark& marked : table.marks) {
        const QRectF cell = placed.cells[marked.row][marked.column];
        const qreal width = marked.style == Style::Changed ? thick * 0.6 : thick;
        if (marked.style == Style::Failed)
            painter.fillRect(cell, QBrush(mark, Qt::DiagCrossPattern));
        painter.setPen(QPen(mark, width, marked.style == Style::Changed ? Qt::DashLine : Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(width / 2 + 1, width / 2 + 1, -width / 2 - 1, -width / 2 - 1));
        if (marked.label.empty())
            continue;
        painter.setFont(small_);
        const QFontMetricsF smallMetrics(small_, device_);
        const QRectF badge(cell.left() + width + 1, cell.top() + width + 1,
                           smallMetrics.horizontalAdvance(text(marked.label)) + pad, smallMetrics.height());
        painter.fillRect(badge, mark);
        painter.setPen(palette.color(QPalette::HighlightedText));
        painter.drawText(badge, Qt::AlignCenter, text(marked.label));
        painter.setFont(font_);
    }
}

void StepPicture::paintPlane(QPainter& painter, const QPalette& palette) const
{
    const CourseStep::Plane& plane = *step_.plane;
    const QFontMetricsF metrics(small_, device_);
    const QColor ink = palette.color(QPalette::Text), mark = palette.color(QPalette::Highlight);
    const qreal margin = metrics.height() * 1.6;
    const QPointF centre = side_.center();
    const qreal radius = side_.width() / 2 - margin;
    painter.setFont(small_);

    painter.setPen(QPen(palette.color(QPalette::Mid), 1));
    painter.drawLine(QPointF(centre.x() - radius, centre.y()), QPointF(centre.x() + radius, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - radius), QPointF(centre.x(), centre.y() + radius));
    painter.setPen(ink);
    painter.drawText(QRectF(side_.left(), centre.y() + 2, side_.width(), metrics.height()),
                     Qt::AlignRight | Qt::AlignTop, text(plane.axisX));
    painter.drawText(QRectF(centre.x() + 4, side_.top(), side_.width() / 2, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, text(plane.axisY));

    const qreal largest = std::max({std::hypot(plane.fromX, plane.fromY), std::hypot(plane.toX, plane.toY)});
    const qreal unit = largest > 0 ? radius * 0.85 / largest : 0;
    const auto point = [&](qreal x, qreal y) { return QPointF(centre.x() + x * unit, centre.y() - y * unit); };
    const QPointF from = point(plane.fromX, plane.fromY), to = point(plane.toX, plane.toY);
    const qreal head = metrics.height() * 0.6;
    // The turn's direction: the label before it stands on the side away
    // from the pair after it, and the other way round, so that the two stay
    // apart when the angle is small.
    const qreal turn = std::remainder(std::atan2(plane.toY, plane.toX) - std::atan2(plane.fromY, plane.fromX),
                                      2 * std::numbers::pi) < 0 ? 1 : -1;
    const auto label = [&](const QPointF& tip, const std::u16string& words, qreal side) {
        const QString shown = text(words);
        const QRectF box(0, 0, metrics.horizontalAdvance(shown) + 4, metrics.height());
        // Beyond the tip, and to one side of it; above a pair on the axis,
        // whose name stands below it.
        const QPointF outward = (tip - centre) / std::max<qreal>(1, QLineF(centre, tip).length());
        const bool onAxis = std::abs(tip.y() - centre.y()) < metrics.height();
        const QPointF place = tip + outward * metrics.height()
                              + (onAxis ? QPointF(0, -metrics.height())
                                        : QPointF(outward.y(), -outward.x()) * side * metrics.height());
        QRectF at = box.translated(place - box.center());
        at.moveLeft(std::clamp(at.left(), side_.left(), side_.right() - at.width()));
        at.moveTop(std::clamp(at.top(), side_.top(), side_.bottom() - at.height()));
        painter.drawText(at, Qt::AlignCenter, shown);
    };

    // Before the turn: a thin arrow; after it: a thick one in the marks' colour.
    painter.setPen(QPen(ink, 1.5, Qt::DashLine));
    arrow(painter, centre, from, head);
    painter.setPen(ink);
    label(from, plane.fromLabel, turn);
    painter.setPen(QPen(mark, std::max<qreal>(2.5, metrics.height() * 0.15)));
    arrow(painter, centre, to, head);
    painter.setPen(ink);
    if (QLineF(from, to).length() > 1)
        label(to, plane.toLabel, -turn);

    const QString angle = QStringLiteral("φ = ") + text(writeDegrees(plane.degrees, format_));
    if (plane.degrees == 0) {
        painter.drawText(side_, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("вращения нет"));
        return;
    }
    // The arc from the pair before the turn to the pair after it.
    const qreal start = std::atan2(plane.fromY, plane.fromX) * 180 / std::numbers::pi;
    qreal span = std::atan2(plane.toY, plane.toX) * 180 / std::numbers::pi - start;
    span = std::remainder(span, 360.0);
    const qreal arcRadius = radius * 0.45;
    painter.setPen(QPen(mark, 2));
    painter.drawArc(QRectF(centre.x() - arcRadius, centre.y() - arcRadius, 2 * arcRadius, 2 * arcRadius),
                    qRound(start * 16), qRound(span * 16));
    painter.setPen(ink);
    painter.drawText(side_, Qt::AlignLeft | Qt::AlignBottom, angle);
}

void StepPicture::paintNote(QPainter& painter, const QPalette& palette) const
{
    const QFont large = scaled(font_, 1.3);
    const QFontMetricsF metrics(large, device_);
    const QRectF box = side_.adjusted(0, metrics.height() * 0.5, 0, -metrics.height() * 0.5);
    if (step_.kind == CourseStep::Kind::PivotBelowThreshold)
        painter.fillRect(box, QBrush(palette.color(QPalette::Highlight), Qt::DiagCrossPattern));
    painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
    painter.setBrush(palette.color(QPalette::Base));
    painter.drawRect(box.adjusted(metrics.height() * 0.3, metrics.height() * 0.2, -metrics.height() * 0.3,
                                  -metrics.height() * 0.2));
    painter.setFont(large);
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(box, Qt::AlignCenter, text(step_.note));
}
