#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "course/course_steps.h"
#include "platform/runtime/number_rules.h"

class QPaintDevice;
class QPainter;

// A step of the course drawn: its tables of numbers side by side (or one
// above the other where they are too wide), and beside them the plane of
// the two columns, with the pair before and after the rotation and the turn
// between them as an arc with an arrowhead and its signed angle; or, where a
// step has no plane, its note written large. The cells a rotation uses and
// changes are hatched, a marked cell is outlined and labelled (d, e, p, t,
// ...), a changed cell has a dashed outline, the pivot that stopped the
// solve is crossed with its value kept legible, and a stored tangent is
// written in italics after a small "t": the picture reads in greyscale. The
// colours are the palette's; the marks take its highlight where that stands
// out from the cells by 3 : 1 at least, and a colour nearer the text where
// it does not (a dark theme's highlight on dark cells).
//
// The numbers are written with as many significant digits as the room
// allows (the digits chosen, down to 3), and the whole picture is scaled
// down where even that does not fit: no table is ever cut.
class StepPicture {
public:
    // How the parts stand: tables side by side or stacked, the plane beside
    // or below them, and the digits of the numbers. Every rotation of a
    // solve is drawn in one arrangement, so that nothing jumps from one
    // rotation to the next.
    struct Arrangement {
        bool stacked = false, planeBelow = false;
        int digits = 15;
        // The width of each column of a matrix, the widest any rotation
        // needs, so that every rotation's matrices stand alike; empty where
        // each step sizes its own.
        std::vector<qreal> matrixColumns;
    };

    // Lays the step out in a room of the given size on the device; an empty
    // height is as tall as the step needs (paper). The font is the one the
    // numbers are written in at full size; a picture that fits its room with
    // room to spare grows up to largest times that. Numbers have at most
    // digits significant digits; an arrangement given is kept.
    StepPicture(const CourseStep& step, const QSizeF& room, const QFont& font, const QPaintDevice* device,
                const platform::NumberFormat& format, qreal largest = 1, int digits = 15,
                const Arrangement* arrangement = nullptr);

    // The arrangement in which every rotation of the steps fits the room,
    // or, where none does, the one that needs the least scaling down.
    static Arrangement rotationsArrangement(const std::vector<CourseStep>& steps, const QSizeF& room,
                                            const QFont& font, const QPaintDevice* device,
                                            const platform::NumberFormat& format, int digits = 15);

    // The size the picture takes, scaled.
    QSizeF size() const { return natural_ * scale_; }
    Arrangement arrangement() const { return arrangement_; }
    // Where a cell of a table stands, in the room's coordinates (scaled).
    QRectF cellRect(int table, int row, int column) const;
    // The cell at a point: its table, row and column; false where there is none.
    bool cellAt(const QPointF& point, int& table, int& row, int& column) const;
    // The words written in the plane and where they stand (scaled): the
    // axes, the pairs, the angle. None overlaps another or a number.
    struct Label {
        QString text;
        QRectF rect;
    };
    std::vector<Label> planeLabels() const;
    // The arc of the turn (scaled): its centre and radius, and the angle it
    // starts at and sweeps, in degrees, counter-clockwise positive.
    struct Arc {
        QPointF centre;
        qreal radius = 0, start = 0, turn = 0;
    };
    Arc arc() const;

    void paint(QPainter& painter, const QPointF& at, const QPalette& palette) const;

    // The colour of the marks on the palette's cells: its highlight, or
    // where that stands out by less than 3 : 1, a colour that does.
    static QColor markColour(const QPalette& palette);
    static qreal contrast(const QColor& one, const QColor& other);

private:
    struct Placed {
        QRectF caption;
        std::vector<QRectF> headers;
        std::vector<std::vector<QRectF>> cells;
        QRectF rowLabels;  // the row numbers left of the table
    };
    // The plane laid out: where its centre, pairs and arc stand, and its words.
    struct PlaneLayout {
        QPointF centre, from, to;
        qreal radius = 0, arcRadius = 0;
        std::vector<Label> labels;  // before, after, axis x, axis y, angle
    };

    QSizeF arrange(const Arrangement& arrangement);
    // Each table's column widths, those of tables alike made alike.
    std::vector<std::vector<qreal>> alignedWidths(const Arrangement& arrangement) const;
    QSizeF placeTables(const Arrangement& arrangement);
    // The width of every column of each table of a step, as its numbers
    // need at the digits given, a narrow table widened to its caption.
    static std::vector<std::vector<qreal>> columnWidths(const CourseStep& step, const QFont& font,
                                                        const QPaintDevice* device,
                                                        const platform::NumberFormat& format, int digits);
    void placePlane();
    QRectF placeLabel(const QString& words, const QPointF& anchor, qreal towards, const std::vector<QPointF>& drawn) const;
    void paintTable(QPainter& painter, const CourseStep::Table& table, const Placed& placed,
                    const QPalette& palette) const;
    void paintCells(QPainter& painter, const CourseStep::Table& table, const Placed& placed,
                    const QPalette& palette) const;
    void paintNumbers(QPainter& painter, const CourseStep::Table& table, const Placed& placed) const;
    void paintMark(QPainter& painter, const CourseStep::Table& table, const CourseStep::Mark& marked, const QRectF& cell,
                   const QPalette& palette) const;
    void paintPlane(QPainter& painter, const QPalette& palette) const;
    void paintNote(QPainter& painter, const QPalette& palette) const;
    QString number(double value) const;

    const CourseStep& step_;
    QFont font_, small_;
    const QPaintDevice* device_;
    platform::NumberFormat format_;
    std::vector<Placed> placed_;
    QRectF side_;  // the plane or the note
    PlaneLayout plane_;
    QSizeF natural_;
    qreal scale_ = 1;
    Arrangement arrangement_;
};
