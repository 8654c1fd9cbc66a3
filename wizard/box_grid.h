#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

#include "platform/message_service.h"

class QLineEdit;

// The entry boxes of a window as a grid, rows by columns, of which the top
// left n x n block is in use (a grid of one column: its first n boxes), n
// the count of the system. A block pasted into a box fills the grid from
// that box; a check takes the boxes in use row by row. A box shows its text
// from the beginning once it is filled or loses the focus, so that a sign
// never hides beyond its left edge, and a text wider than its box shows
// whole as the box's tool tip.
class BoxGrid : public QObject {
    Q_OBJECT

public:
    // boxes[i - 1][j - 1] is box (i, j). count gives n when the grid is used.
    BoxGrid(QObject* parent, std::vector<std::vector<QLineEdit*>> boxes, std::function<int()> count);

    QLineEdit* box(int i, int j) const { return boxes_[i - 1][j - 1]; }
    int rowsInUse() const;
    int columnsInUse() const;

    // What is pasted into a box: one value goes in where the box's own paste
    // puts it, without the line break a spreadsheet adds; several cells go,
    // as texts, into the boxes from this one rightwards and downwards (a row
    // pasted into a column of boxes goes downwards), and cells that find no
    // box in use are left out, the user told how many. False for an empty
    // text, which is the box's own paste.
    bool paste(QLineEdit* from, const QString& text);

    // Fills the boxes in use with texts, texts[i - 1][j - 1] into box (i, j).
    void fill(const std::vector<std::vector<QString>>& texts);
    // The texts of the boxes in use, row by row.
    std::vector<std::vector<QString>> texts() const;

    // How a refused box is reported: the first message, its title, and the
    // second message with its icon.
    struct Refusal {
        QString text;
        QString title;
        QString tryAgain;
        platform::MessageIcon tryAgainIcon;
    };

    // The check-and-store pass: box by box, row by row, each row left to
    // right. A box that holds no number gets the focus and is reported by
    // the two messages, and the pass ends false there; every other box's
    // number is stored as it is reached. True when every box passed.
    bool check(const std::function<Refusal(int i, int j)>& refusal,
               const std::function<void(int i, int j, double value)>& store);
    // True while the check moves the focus to a refused box.
    bool focusingRefusedBox() const { return focusingRefusedBox_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void showFromTheStart(QLineEdit* box);

    std::vector<std::vector<QLineEdit*>> boxes_;
    std::function<int()> count_;
    bool focusingRefusedBox_ = false;
};
