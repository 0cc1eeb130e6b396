#pragma once

#include <QPointF>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "report/ReportStyle.h"

class QPainter;

namespace kadenza {

// A table row taller than a page has room for, cut between the lines of its cells into slices
// that each fit: in every slice each cell goes on from its first line that did not fit in the
// one before. Such rows are rare and their text is long, so their cells stay laid out.
class SlicedRow {
  public:
    // A slice holds text no taller than `room`, but at least one line of every cell that has
    // lines left, so that a line taller than the room still goes somewhere.
    SlicedRow(std::vector<std::unique_ptr<QTextLayout>> cells, qreal room);

    int sliceCount() const { return static_cast<int>(slices_.size()); }
    // The height of the tallest cell's text in the slice.
    qreal textHeight(int slice) const;
    // Draws the cell's lines that are in the slice, the top of the first at `topLeft`.
    void drawCell(QPainter& painter, int slice, std::size_t cell, const TextStyle& style,
                  const QPointF& topLeft) const;

  private:
    struct Slice {
        // Every cell's first line in the slice; the next slice's first line ends it.
        std::vector<int> firstLines;
        qreal textHeight;
    };

    int endLine(int slice, std::size_t cell) const;

    std::vector<std::unique_ptr<QTextLayout>> cells_;
    std::vector<Slice> slices_;
};

}  // namespace kadenza
