#include "report/SlicedRow.h"

#include <algorithm>

#include "report/LaidOutText.h"

namespace kadenza {

namespace {

// The end of the lines from `first` that fit in `room`, at least one while there are lines.
int fittingLinesEnd(const QTextLayout& layout, int first, qreal room) {
    int end = first;
    while (end < layout.lineCount() &&
           (end == first || linesHeight(layout, first, end + 1) <= room)) {
        ++end;
    }
    return end;
}

bool linesLeft(const std::vector<std::unique_ptr<QTextLayout>>& cells,
               const std::vector<int>& next) {
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
        if (next[cell] < cells[cell]->lineCount()) {
            return true;
        }
    }
    return false;
}

}  // namespace

SlicedRow::SlicedRow(std::vector<std::unique_ptr<QTextLayout>> cells, qreal room)
    : cells_(std::move(cells)) {
    std::vector<int> next(cells_.size(), 0);
    while (linesLeft(cells_, next)) {
        Slice slice{next, 0};
        for (std::size_t cell = 0; cell < cells_.size(); ++cell) {
            next[cell] = fittingLinesEnd(*cells_[cell], next[cell], room);
            slice.textHeight = std::max(
                slice.textHeight, linesHeight(*cells_[cell], slice.firstLines[cell], next[cell]));
        }
        slices_.push_back(std::move(slice));
    }
}

qreal SlicedRow::textHeight(int slice) const {
    return slices_[static_cast<std::size_t>(slice)].textHeight;
}

void SlicedRow::drawCell(QPainter& painter, int slice, std::size_t cell, const TextStyle& style,
                         const QPointF& topLeft) const {
    drawLines(painter, *cells_[cell], style,
              slices_[static_cast<std::size_t>(slice)].firstLines[cell], endLine(slice, cell),
              topLeft);
}

int SlicedRow::endLine(int slice, std::size_t cell) const {
    const auto next = static_cast<std::size_t>(slice) + 1;
    return next < slices_.size() ? slices_[next].firstLines[cell] : cells_[cell]->lineCount();
}

}  // namespace kadenza
