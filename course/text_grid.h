#pragma once

#include <string>
#include <vector>

// A table for a fixed-width font: each row a label and cells, each column as
// wide as its widest cell, the cells aligned within it. A row that would run
// past the line width goes on in continuation lines marked "…", broken at
// the same columns in every row, so that the columns still stand.
class TextGrid {
public:
    enum class Align { Left, Right };

    explicit TextGrid(Align align = Align::Right) : align_(align) {}

    void row(std::u16string label, std::vector<std::u16string> cells);

    // Appends the rows to lines, each indented and none wider than width
    // (unless one cell alone is).
    void write(std::vector<std::u16string>& lines, std::size_t indent, std::size_t width) const;

private:
    struct Row {
        std::u16string label;
        std::vector<std::u16string> cells;
    };

    Align align_;
    std::vector<Row> rows_;
};

// The characters a text takes in a fixed-width font.
std::size_t columnsOf(const std::u16string& text);
