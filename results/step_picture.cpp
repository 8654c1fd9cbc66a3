#include "results/step_picture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

using Style = CourseStep::Style;

// The digits a cell of the picture tries, from the most down.
constexpr int DigitsTried[] = {15, 10, 7, 6, 5, 4, 3};
// The captions, labels and the plane's words, to the numbers' font.
constexpr qreal SmallFont = 0.8;

// The proportions of the picture, in lines of its font: one place to change
// the look of every step.
struct Metrics {
    explicit Metrics(const QFontMetricsF& font, const QFontMetricsF& small)
        : line(font.height()), smallLine(small.height())
    {
    }
    qreal line, smallLine;
    qreal pad() const { return line * 0.35; }        // inside a cell, either side of its number
    qreal row() const { return line * 1.5; }         // a row of a table
    qreal gap() const { return line; }               // between the tables and the plane
    qreal caption() const { return smallLine * 1.4; }  // a table's caption
    qreal planeBelow() const { return line * 12; }   // the plane's side, below the tables
    qreal planeLeast() const { return line * 12; }   // beside them: as tall as they are, within these
    qreal planeMost() const { return line * 18; }
    qreal outline() const { return std::max<qreal>(2, line * 0.12); }  // a marked cell's outline
    qreal turned() const { return std::max<qreal>(2.5, smallLine * 0.15); }  // the pair after the turn, the arc
    qreal before() const { return std::max<qreal>(2, smallLine * 0.12); }    // the dashed pair before it
    qreal head() const { return smallLine * 0.6; }    // an arrowhead
    qreal margin() const { return smallLine * 1.6; }  // round the plane's axes
};

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

QFont italic(const QFont& font)
{
    QFont slanted = font;
    slanted.setItalic(true);
    return slanted;
}

// An arrowhead at a point, pointing along a direction in degrees (QLineF's
// angles: counter-clockwise on screen).
void arrowhead(QPainter& painter, const QPointF& tip, qreal angle, qreal head)
{
    QLineF back = QLineF::fromPolar(head, angle + 180).translated(tip);
    QPolygonF shape{tip};
    for (const qreal turn : {25.0, -25.0}) {
        QLineF side = back;
        side.setAngle(back.angle() + turn);
        shape << side.p2();
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(painter.pen().color());
    painter.setBrush(QBrush(painter.pen().color()));
    painter.drawPolygon(shape);
    painter.restore();
}

// An arrow from one point to another, its head at the second.
void arrow(QPainter& painter, const QPointF& from, const QPointF& to, qreal head)
{
    painter.drawLine(from, to);
    if (QLineF(from, to).length() >= head) {
        QPen solid = painter.pen();
        solid.setStyle(Qt::SolidLine);
        painter.save();
        painter.setPen(solid);
        arrowhead(painter, to, QLineF(from, to).angle(), head);
        painter.restore();
    }
}

qreal luminance(const QColor& colour)
{
    const auto channel = [](qreal value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

QColor blend(const QColor& one, const QColor& other, qreal share)
{
    return QColor::fromRgbF(one.redF() + (other.redF() - one.redF()) * share,
                            one.greenF() + (other.greenF() - one.greenF()) * share,
                            one.blueF() + (other.blueF() - one.blueF()) * share);
}

}  // namespace

StepPicture::StepPicture(const CourseStep& step, const QSizeF& room, const QFont& font, const QPaintDevice* device,
                         const platform::NumberFormat& format, qreal largest, int digits,
                         const Arrangement* arrangement)
    : step_(step), font_(font), small_(scaled(font, SmallFont)), device_(device), format_(format)
{
    const bool several = step.tables.size() > 1;
    const bool side = step.plane || !step.note.empty();
    const auto scaleFor = [&](const QSizeF& size) {
        return std::min(room.width() / size.width(), room.height() > 0 ? room.height() / size.height() : 1.0);
    };
    const auto settle = [&](const QSizeF& size) {
        const qreal fit = scaleFor(size);
        scale_ = fit >= 1 ? (room.height() > 0 ? std::min(fit, largest) : 1.0) : std::max<qreal>(fit, 0.05);
    };
    if (arrangement) {
        Arrangement kept = *arrangement;
        kept.stacked = kept.stacked && several;
        kept.planeBelow = kept.planeBelow && side;
        settle(arrange(kept));
        return;
    }
    // The most digits that fit, side by side before stacked, beside before
    // below; where none fits, the option that needs the least scaling down.
    Arrangement best{false, false, digits, {}};
    qreal bestScale = -1;
    for (const int tried : DigitsTried) {
        if (tried > digits)
            continue;
        for (const Arrangement& option : {Arrangement{false, false, tried, {}}, Arrangement{false, true, tried, {}},
                                         Arrangement{true, false, tried, {}}, Arrangement{true, true, tried, {}}}) {
            if ((option.stacked && !several) || (option.planeBelow && !side))
                continue;
            const qreal scale = scaleFor(arrange(option));
            if (scale >= 1) {
                settle(natural_);
                return;
            }
            if (scale > bestScale * 1.02) {
                best = option;
                bestScale = scale;
            }
        }
    }
    settle(arrange(best));
}

StepPicture::Arrangement StepPicture::rotationsArrangement(const std::vector<CourseStep>& steps, const QSizeF& room,
                                                           const QFont& font, const QPaintDevice* device,
                                                           const platform::NumberFormat& format, int digits)
{
    // With the widest columns any rotation needs, every rotation's picture
    // has one size: the first arrangement, in the order a single step
    // prefers them, in which it fits; else the one that needs the least
    // scaling down.
    const CourseStep* widest = nullptr;
    Arrangement best{false, false, digits, {}};
    qreal bestScale = -1;
    for (const int tried : DigitsTried) {
        if (tried > digits)
            continue;
        std::vector<qreal> columns;
        for (const CourseStep& step : steps) {
            if (step.kind != CourseStep::Kind::Rotation)
                continue;
            widest = widest ? widest : &step;
            for (const std::vector<qreal>& table : columnWidths(step, font, device, format, tried)) {
                columns.resize(std::max(columns.size(), table.size()));
                for (std::size_t c = 0; c < table.size(); ++c)
                    columns[c] = std::max(columns[c], table[c]);
            }
        }
        if (!widest)
            return best;
        for (Arrangement option : {Arrangement{false, false, tried, columns}, Arrangement{false, true, tried, columns},
                                   Arrangement{true, false, tried, columns}, Arrangement{true, true, tried, columns}}) {
            const qreal scale = StepPicture(*widest, room, font, device, format, 1, digits, &option).scale_;
            if (scale >= 1)
                return option;
            if (scale > bestScale * 1.02) {
                best = std::move(option);
                bestScale = scale;
            }
        }
    }
    return best;
}

QString StepPicture::number(double value) const
{
    return text(writeShort(value, arrangement_.digits, format_));
}

std::vector<std::vector<qreal>> StepPicture::columnWidths(const CourseStep& step, const QFont& font,
                                                          const QPaintDevice* device,
                                                          const platform::NumberFormat& format, int digits)
{
    const QFontMetricsF metrics(font, device), smallMetrics(scaled(font, SmallFont), device);
    const Metrics m(metrics, smallMetrics);
    const qreal tangentMark = smallMetrics.horizontalAdvance(QStringLiteral("t "));
    const auto written = [&](double value) { return text(writeShort(value, digits, format)); };
    std::vector<std::vector<qreal>> widths;
    for (const CourseStep::Table& table : step.tables) {
        std::vector<qreal> column(table.headers.size());
        for (std::size_t c = 0; c < column.size(); ++c) {
            column[c] = metrics.horizontalAdvance(text(table.headers[c]));
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                if (const auto& value = table.rows[r][c])
                    column[c] = std::max(column[c], metrics.horizontalAdvance(written(*value))
                                                        + (table.isTangent(int(r), int(c)) ? tangentMark : 0));
            }
        }
        // A labelled cell keeps its label clear of its number.
        for (const CourseStep::Mark& mark : table.marks) {
            if (!mark.label.empty())
                column[mark.column] = std::max(column[mark.column],
                                               metrics.horizontalAdvance(written(table.rows[mark.row][mark.column].value_or(0)))
                                                   + smallMetrics.horizontalAdvance(text(mark.label)) + m.pad());
        }
        qreal width = 0;
        for (qreal& each : column) {
            each += 2 * m.pad();
            width += each;
        }
        // A narrow table is as wide as its caption.
        if (const qreal caption = smallMetrics.horizontalAdvance(text(table.caption)) + m.pad();
            !column.empty() && width < caption) {
            for (qreal& each : column)
                each += (caption - width) / static_cast<qreal>(column.size());
        }
        widths.push_back(std::move(column));
    }
    return widths;
}

std::vector<std::vector<qreal>> StepPicture::alignedWidths(const Arrangement& arrangement) const
{
    std::vector<std::vector<qreal>> widths = columnWidths(step_, font_, device_, format_, arrangement.digits);
    // The columns of tables with the same headers (a matrix before and after)
    // as wide as each other, and a matrix's as wide as the arrangement's.
    for (std::size_t one = 0; one < widths.size(); ++one) {
        for (std::size_t other = 0; other < widths.size(); ++other) {
            if (one != other && step_.tables[one].headers == step_.tables[other].headers) {
                for (std::size_t c = 0; c < widths[one].size(); ++c)
                    widths[one][c] = std::max(widths[one][c], widths[other][c]);
            }
        }
        if (widths[one].size() == arrangement.matrixColumns.size()) {
            for (std::size_t c = 0; c < widths[one].size(); ++c)
                widths[one][c] = std::max(widths[one][c], arrangement.matrixColumns[c]);
        }
    }
    return widths;
}

// The tables side by side or stacked, their cells placed; the size they take.
QSizeF StepPicture::placeTables(const Arrangement& arrangement)
{
    const QFontMetricsF metrics(font_, device_), smallMetrics(small_, device_);
    const Metrics m(metrics, smallMetrics);
    const std::size_t rows = step_.tables.empty() ? 0 : step_.tables.front().rows.size();
    const qreal labelWidth = smallMetrics.horizontalAdvance(QString::number(rows)) + 2 * m.pad();
    const std::vector<std::vector<qreal>> widths = alignedWidths(arrangement);
    placed_.clear();
    QPointF origin;
    QSizeF tables;
    for (std::size_t t = 0; t < step_.tables.size(); ++t) {
        Placed placed;
        const std::vector<qreal>& column = widths[t];
        const std::size_t columns = column.size();
        qreal width = labelWidth;
        for (const qreal each : column)
            width += each;
        const qreal height = m.caption() + m.row() * static_cast<qreal>(rows + 1);
        placed.caption = QRectF(origin.x() + labelWidth, origin.y(), width - labelWidth, m.caption());
        placed.rowLabels = QRectF(origin.x(), placed.caption.bottom() + m.row(), labelWidth,
                                  m.row() * static_cast<qreal>(rows));
        qreal x = origin.x() + labelWidth;
        for (std::size_t c = 0; c < columns; ++c) {
            placed.headers.emplace_back(x, placed.caption.bottom(), column[c], m.row());
            x += column[c];
        }
        for (std::size_t r = 0; r < rows; ++r) {
            placed.cells.emplace_back();
            for (const QRectF& header : placed.headers)
                placed.cells.back().emplace_back(header.left(), header.top() + m.row() * static_cast<qreal>(r + 1),
                                                 header.width(), m.row());
        }
        placed_.push_back(std::move(placed));
        tables = QSizeF(std::max(tables.width(), origin.x() + width), std::max(tables.height(), origin.y() + height));
        origin = arrangement.stacked ? QPointF(0, origin.y() + height + m.gap()) : QPointF(origin.x() + width + m.gap(), 0);
    }
    return tables;
}

QSizeF StepPicture::arrange(const Arrangement& arrangement)
{
    arrangement_ = arrangement;
    const Metrics m(QFontMetricsF(font_, device_), QFontMetricsF(small_, device_));
    const QSizeF tables = placeTables(arrangement);
    side_ = QRectF();
    if (step_.plane) {
        // Below the tables the plane takes no more than it needs.
        const qreal length = arrangement.planeBelow ? m.planeBelow()
                                                    : std::clamp(tables.height(), m.planeLeast(), m.planeMost());
        side_ = QRectF(0, 0, length, length);
    } else if (!step_.note.empty()) {
        const QFontMetricsF large(scaled(font_, 1.3), device_);
        side_ = QRectF(0, 0, large.horizontalAdvance(text(step_.note)) + 4 * m.pad(), large.height() * 3);
    }
    if (!side_.isNull())
        side_.moveTopLeft(arrangement.planeBelow ? QPointF(0, tables.height() + m.gap())
                                                 : QPointF(tables.width() + m.gap(), 0));
    if (step_.plane)
        placePlane();
    natural_ = QSizeF(std::max(tables.width(), side_.isNull() ? 0 : side_.right()),
                      std::max(tables.height(), side_.isNull() ? 0 : side_.bottom()));
    scale_ = 1;
    return natural_;
}

// The plane's geometry and its words, each where it covers no other word,
// no arrow and no arc: the axes' names at their ends, each pair's name
// beyond its tip, and the angle beyond the middle of the arc; a word that
// would cover something tries the places round its own, nearest first.
void StepPicture::placePlane()
{
    const CourseStep::Plane& plane = *step_.plane;
    const Metrics m(QFontMetricsF(font_, device_), QFontMetricsF(small_, device_));
    PlaneLayout& laid = plane_;
    laid = PlaneLayout();
    laid.centre = side_.center();
    laid.radius = side_.width() / 2 - m.margin();
    const qreal largest = std::max(std::hypot(plane.fromX, plane.fromY), std::hypot(plane.toX, plane.toY));
    const qreal unit = largest > 0 ? laid.radius * 0.85 / largest : 0;
    const auto point = [&](qreal x, qreal y) { return QPointF(laid.centre.x() + x * unit, laid.centre.y() - y * unit); };
    laid.from = point(plane.fromX, plane.fromY);
    laid.to = point(plane.toX, plane.toY);
    // A small turn gets a wide arc, so that it is seen.
    laid.arcRadius = laid.radius * (std::abs(plane.turn) < 25 ? 0.7 : 0.45);

    // What a word must not cover: points along the arrows and the arc.
    std::vector<QPointF> drawn;
    for (const QPointF& tip : {laid.from, laid.to}) {
        for (int k = 0; k <= 40; ++k)
            drawn.push_back(laid.centre + (tip - laid.centre) * (k / 40.0));
    }
    const qreal start = std::atan2(plane.fromY, plane.fromX) * 180 / std::numbers::pi;
    const auto onArc = [&](qreal degrees) {
        const qreal radians = degrees * std::numbers::pi / 180;
        return laid.centre + QPointF(std::cos(radians), -std::sin(radians)) * laid.arcRadius;
    };
    for (int k = 0; k <= 40 && plane.turn != 0; ++k)
        drawn.push_back(onArc(start + plane.turn * k / 40.0));
    const auto place = [&](const QString& words, const QPointF& anchor, qreal towards) {
        laid.labels.push_back({words, placeLabel(words, anchor, towards, drawn)});
    };
    const auto angleOf = [&](const QPointF& tip) {
        return QLineF(laid.centre, tip).length() < 1 ? 0.0 : QLineF(laid.centre, tip).angle();
    };
    // The pairs first: their names matter most, and stand nearest their tips.
    place(text(plane.fromLabel), laid.from, angleOf(laid.from));
    if (plane.toLabel != plane.fromLabel)
        place(text(plane.toLabel), laid.to, angleOf(laid.to));
    place(text(plane.axisX), laid.centre + QPointF(laid.radius, 0), -60);
    place(text(plane.axisY), laid.centre - QPointF(0, laid.radius), 0);
    const QString angle = plane.turn == 0 ? QStringLiteral("вращения нет") : text(plane.turnLabel);
    place(angle, plane.turn == 0 ? laid.centre : onArc(start + plane.turn / 2),
          plane.turn == 0 ? -90 : start + plane.turn / 2);
}

// A word of the plane beyond its anchor in a direction (degrees, counter-
// clockwise), its edge a little away: the nearest place in the plane where
// it covers no word placed before and none of the points drawn.
QRectF StepPicture::placeLabel(const QString& words, const QPointF& anchor, qreal towards,
                               const std::vector<QPointF>& drawn) const
{
    const QFontMetricsF metrics(small_, device_);
    const qreal line = metrics.height();
    const QRectF size(0, 0, metrics.horizontalAdvance(words) + 4, line);
    const auto free = [&](const QRectF& rect) {
        return side_.contains(rect)
               && std::none_of(plane_.labels.begin(), plane_.labels.end(),
                               [&](const Label& other) { return other.rect.intersects(rect); })
               && std::none_of(drawn.begin(), drawn.end(), [&](const QPointF& at) { return rect.contains(at); });
    };
    QRectF chosen;
    for (const qreal distance : {0.3, 1.0, 2.0, 3.5}) {
        for (const qreal turn : {0.0, 35.0, -35.0, 70.0, -70.0, 110.0, -110.0, 180.0}) {
            const qreal radians = (towards + turn) * std::numbers::pi / 180;
            const QPointF way(std::cos(radians), -std::sin(radians));
            const qreal extent = std::abs(way.x()) * size.width() / 2 + std::abs(way.y()) * size.height() / 2;
            const QRectF rect = size.translated(anchor + way * (extent + distance * line) - size.center());
            if (free(rect))
                return rect;
            if (chosen.isNull() && side_.contains(rect))
                chosen = rect;
        }
    }
    return chosen.isNull() ? size.translated(side_.topLeft()) : chosen;
}

std::vector<StepPicture::Label> StepPicture::planeLabels() const
{
    std::vector<Label> labels;
    for (const Label& label : plane_.labels)
        labels.push_back({label.text, QRectF(label.rect.topLeft() * scale_, label.rect.size() * scale_)});
    return labels;
}

StepPicture::Arc StepPicture::arc() const
{
    if (!step_.plane)
        return Arc();
    return Arc{plane_.centre * scale_, plane_.arcRadius * scale_,
               std::atan2(step_.plane->fromY, step_.plane->fromX) * 180 / std::numbers::pi, step_.plane->turn};
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

qreal StepPicture::contrast(const QColor& one, const QColor& other)
{
    const qreal a = luminance(one), b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor StepPicture::markColour(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base), ink = palette.color(QPalette::Text);
    QColor mark = palette.color(QPalette::Highlight);
    // Towards the text, which stands out from the cells, until the marks do.
    for (qreal share = 0.1; contrast(mark, base) < 3 && share <= 1.0; share += 0.1)
        mark = blend(palette.color(QPalette::Highlight), ink, share);
    return mark;
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
    const Metrics m(QFontMetricsF(font_, device_), QFontMetricsF(small_, device_));
    painter.setFont(small_);
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(placed.caption, Qt::AlignLeft | Qt::AlignVCenter, text(table.caption));
    for (std::size_t r = 0; r < placed.cells.size(); ++r)
        painter.drawText(QRectF(placed.rowLabels.left(), placed.cells[r].front().top(),
                                placed.rowLabels.width() - m.pad(), placed.cells[r].front().height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(r + 1));
    paintCells(painter, table, placed, palette);
    paintNumbers(painter, table, placed);
    for (const CourseStep::Mark& marked : table.marks)
        paintMark(painter, table, marked, placed.cells[marked.row][marked.column], palette);
}

// Cells and headers on the base colour; the cells a rotation uses and
// changes hatched.
void StepPicture::paintCells(QPainter& painter, const CourseStep::Table& table, const Placed& placed,
                             const QPalette& palette) const
{
    const QPen grid(palette.color(QPalette::Mid), 1);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t c = 0; c < placed.headers.size(); ++c) {
        painter.fillRect(placed.headers[c], palette.color(QPalette::AlternateBase));
        painter.setPen(grid);
        painter.drawRect(placed.headers[c]);
        for (std::size_t r = 0; r < placed.cells.size(); ++r) {
            const QRectF& cell = placed.cells[r][c];
            painter.fillRect(cell, palette.color(QPalette::Base));
            if (table.isHatched(int(r), int(c)))
                painter.fillRect(cell, QBrush(markColour(palette), Qt::BDiagPattern));
            painter.setPen(grid);
            painter.drawRect(cell);
        }
    }
    painter.setFont(font_);
    painter.setPen(palette.color(QPalette::Text));
    for (std::size_t c = 0; c < placed.headers.size(); ++c)
        painter.drawText(placed.headers[c], Qt::AlignCenter, text(table.headers[c]));
}

void StepPicture::paintNumbers(QPainter& painter, const CourseStep::Table& table, const Placed& placed) const
{
    const Metrics m(QFontMetricsF(font_, device_), QFontMetricsF(small_, device_));
    const QFont tangent = italic(font_);
    for (std::size_t r = 0; r < placed.cells.size(); ++r) {
        for (std::size_t c = 0; c < placed.cells[r].size(); ++c) {
            const auto& value = table.rows[r][c];
            if (!value)
                continue;
            const QRectF room = placed.cells[r][c].adjusted(m.pad(), 0, -m.pad(), 0);
            if (!table.isTangent(int(r), int(c))) {
                painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, number(*value));
                continue;
            }
            // A stored tangent, not a coefficient: "t" small, the number in italics.
            painter.setFont(tangent);
            painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, number(*value));
            painter.setFont(small_);
            painter.drawText(room, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("t"));
            painter.setFont(font_);
        }
    }
}

// A mark: an outline, dashed for a changed cell, a cross for the failed
// pivot (its number kept legible on a patch of the cells' colour); a label
// in the corner.
void StepPicture::paintMark(QPainter& painter, const CourseStep::Table& table, const CourseStep::Mark& marked,
                            const QRectF& cell, const QPalette& palette) const
{
    const QFontMetricsF metrics(font_, device_), smallMetrics(small_, device_);
    const Metrics m(metrics, smallMetrics);
    const QColor ink = palette.color(QPalette::Text), base = palette.color(QPalette::Base), mark = markColour(palette);
    const qreal width = marked.style == Style::Changed ? m.outline() * 0.75 : m.outline();
    if (marked.style == Style::Failed) {
        painter.setPen(QPen(mark, width));
        painter.drawLine(cell.topLeft(), cell.bottomRight());
        painter.drawLine(cell.bottomLeft(), cell.topRight());
        if (const auto& value = table.rows[marked.row][marked.column]) {
            const QString shown = number(*value);
            QRectF patch(0, 0, metrics.horizontalAdvance(shown) + m.pad(), metrics.height());
            patch.moveCenter(QPointF(cell.right() - m.pad() - patch.width() / 2 + m.pad() / 2, cell.center().y()));
            painter.fillRect(patch, base);
            painter.setPen(ink);
            painter.drawText(cell.adjusted(m.pad(), 0, -m.pad(), 0), Qt::AlignRight | Qt::AlignVCenter, shown);
        }
    }
    painter.setPen(QPen(mark, width, marked.style == Style::Changed ? Qt::DashLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(width / 2 + 1, width / 2 + 1, -width / 2 - 1, -width / 2 - 1));
    if (marked.label.empty())
        return;
    painter.setFont(small_);
    const QRectF badge(cell.left() + width + 1, cell.top() + width + 1,
                       smallMetrics.horizontalAdvance(text(marked.label)) + m.pad(), smallMetrics.height());
    painter.fillRect(badge, mark);
    painter.setPen(contrast(mark, base) >= contrast(mark, ink) ? base : ink);
    painter.drawText(badge, Qt::AlignCenter, text(marked.label));
    painter.setFont(font_);
}

void StepPicture::paintPlane(QPainter& painter, const QPalette& palette) const
{
    const CourseStep::Plane& plane = *step_.plane;
    const QFontMetricsF metrics(small_, device_);
    const Metrics m(QFontMetricsF(font_, device_), metrics);
    const QColor ink = palette.color(QPalette::Text), mark = markColour(palette);
    const PlaneLayout& laid = plane_;
    const QPointF centre = laid.centre;
    painter.setFont(small_);

    painter.setPen(QPen(palette.color(QPalette::Mid), 1));
    painter.drawLine(QPointF(centre.x() - laid.radius, centre.y()), QPointF(centre.x() + laid.radius, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - laid.radius), QPointF(centre.x(), centre.y() + laid.radius));

    // Before the turn: a dashed arrow; after it: a thick one in the marks' colour.
    QPen before(ink, m.before(), Qt::CustomDashLine);
    before.setDashPattern({3, 2});
    painter.setPen(before);
    arrow(painter, centre, laid.from, m.head());
    painter.setPen(QPen(mark, m.turned()));
    arrow(painter, centre, laid.to, m.head());

    // The arc from the pair before the turn to the pair after it, the way it
    // turns, with its head at the end.
    if (plane.turn != 0) {
        const qreal start = std::atan2(plane.fromY, plane.fromX) * 180 / std::numbers::pi;
        const QRectF circle(centre.x() - laid.arcRadius, centre.y() - laid.arcRadius, 2 * laid.arcRadius,
                            2 * laid.arcRadius);
        painter.setPen(QPen(mark, m.turned()));
        painter.drawArc(circle, qRound(start * 16), qRound(plane.turn * 16));
        const qreal end = start + plane.turn;
        const QPointF tip = centre + QPointF(std::cos(end * std::numbers::pi / 180),
                                             -std::sin(end * std::numbers::pi / 180)) * laid.arcRadius;
        arrowhead(painter, tip, end + (plane.turn > 0 ? 90 : -90), m.head());
    }
    painter.setPen(ink);
    for (const Label& label : laid.labels)
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
}

void StepPicture::paintNote(QPainter& painter, const QPalette& palette) const
{
    const QFont large = scaled(font_, 1.3);
    const QFontMetricsF metrics(large, device_);
    const QColor mark = markColour(palette);
    const QRectF box = side_.adjusted(0, metrics.height() * 0.5, 0, -metrics.height() * 0.5);
    if (step_.kind == CourseStep::Kind::PivotBelowThreshold)
        painter.fillRect(box, QBrush(mark, Qt::DiagCrossPattern));
    painter.setPen(QPen(mark, 2));
    painter.setBrush(palette.color(QPalette::Base));
    painter.drawRect(box.adjusted(metrics.height() * 0.3, metrics.height() * 0.2, -metrics.height() * 0.3,
                                  -metrics.height() * 0.2));
    painter.setFont(large);
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(box, Qt::AlignCenter, text(step_.note));
}
