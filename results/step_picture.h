#pragma once

#include <vector>

#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include "platform/runtime/number_rules.h"
#include "results/course_steps.h"

class QPaintDevice;
class QPainter;

// A step of the course drawn: its tables of numbers side by side (or one
// above the other where they are too wide), and beside them the plane of
// the two columns turned, with the pair before and after the turn and the
// angle between them as an arc; or, where a step has no plane, its note
// written large. Marked columns are hatched, a marked cell is outlined and
// labelled (d, e, p, t, ...), a changed cell has a dashed outline and the
// pivot that stopped the solve is crossed: the picture reads in greyscale.
// The colours are the palette's: the marks in its highlight colour.
//
// The numbers are written with as many significant digits as the room
// allows (15 where it does, down to 3), and the whole picture is scaled down
// where even that does not fit: no table is ever cut.
class StepPicture {
public:
    // Lays the step out in a room of the given size on the device; an empty
    // height is as tall as the step needs (paper). The font is the one the
    // numbers are written in at full size; a picture that fits its room with
    // room to spare grows up to largest times that.
    StepPicture(const CourseStep& step, const QSizeF& room, const QFont& font, const QPaintDevice* device,
                const platform::NumberFormat& format, qreal largest = 1);

    // The size the picture takes, scaled.
    QSizeF size() const { return natural_ * scale_; }
    // Where a cell of a table stands, in the room's coordinates (scaled).
    QRectF cellRect(int table, int row, int column) const;
    // The cell at a point: its table, row and column; false where there is none.
    bool cellAt(const QPointF& point, int& table, int& row, int& column) const;

    void paint(QPainter& painter, const QPointF& at, const QPalette& palette) const;

private:
    struct Placed {
        QRectF caption;
        std::vector<QRectF> headers;
        std::vector<std::vector<QRectF>> cells;
        QRectF rowLabels;  // the row numbers left of the table
    };

    // The size of the arrangement, with the tables side by side or stacked
    // and the plane beside or below them, at so many digits.
    QSizeF arrange(bool stacked, bool planeBelow, int digits);
    void paintTable(QPainter& painter, const CourseStep::Table& table, const Placed& placed,
                    const QPalette& palette) const;
    void paintPlane(QPainter& painter, const QPalette& palette) const;
    void paintNote(QPainter& painter, const QPalette& palette) const;

    const CourseStep& step_;
    QFont font_, small_;
    const QPaintDevice* device_;
    platform::NumberFormat format_;
    std::vector<Placed> placed_;
    QRectF side_;  // the plane or the note
    QSizeF natural_;
    qreal scale_ = 1;
    int digits_ = 15;
};
