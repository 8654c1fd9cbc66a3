#include "course/text_grid.h"

#include <algorithm>

namespace {

constexpr std::size_t Gap = 2;  // blanks between the label and the cells, and between cells
const std::u16string Continued = u"…";

std::u16string padded(const std::u16string& text, std::size_t width, TextGrid::Align align)
{
    const std::u16string fill(width - std::min(width, columnsOf(text)), u' ');
    return align == TextGrid::Align::Right ? fill + text : text + fill;
}

}  // namespace

std::size_t columnsOf(const std::u16string& text)
{
    // A combining mark takes no column of its own.
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char16_t c) { return c < u'\u0300' || c > u'\u036F'; }));
}

void TextGrid::row(std::u16string label, std::vector<std::u16string> cells)
{
    rows_.push_back({std::move(label), std::move(cells)});
}

void TextGrid::write(std::vector<std::u16string>& lines, std::size_t indent, std::size_t width) const
{
    std::size_t labelWidth = columnsOf(Continued);
    std::vector<std::size_t> widths;
    for (const Row& row : rows_) {
        labelWidth = std::max(labelWidth, columnsOf(row.label));
        widths.resize(std::max(widths.size(), row.cells.size()), 0);
        for (std::size_t k = 0; k < row.cells.size(); ++k)
            widths[k] = std::max(widths[k], columnsOf(row.cells[k]));
    }

    // The columns each line takes: as many as fit, at least one.
    std::vector<std::size_t> bandStarts{0};
    std::size_t used = indent + labelWidth;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        if (k > bandStarts.back() && used + Gap + widths[k] > width) {
            bandStarts.push_back(k);
            used = indent + labelWidth;
        }
        used += Gap + widths[k];
    }
    bandStarts.push_back(widths.size());

    for (const Row& row : rows_) {
        for (std::size_t band = 0; band + 1 < bandStarts.size(); ++band) {
            if (bandStarts[band] >= row.cells.size() && band > 0)
                break;
            std::u16string line(indent, u' ');
            line += padded(band == 0 ? row.label : Continued, labelWidth, Align::Left);
            for (std::size_t k = bandStarts[band]; k < bandStarts[band + 1] && k < row.cells.size(); ++k)
                line += std::u16string(Gap, u' ') + padded(row.cells[k], widths[k], align_);
            while (!line.empty() && line.back() == u' ')
                line.pop_back();
            lines.push_back(std::move(line));
        }
    }
}
