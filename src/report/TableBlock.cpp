#include "report/TableBlock.h"

#include <QPainter>
#include <iterator>
#include <numeric>

#include "report/LaidOutText.h"

namespace kadenza {

namespace {

constexpr qreal sidePadding = millimetres(1);
constexpr qreal topPadding = millimetres(0.6);
// A taller head would leave too little of every page to the rows.
constexpr qreal largestHeadShare = 0.25;

qreal tallestText(const std::vector<std::unique_ptr<QTextLayout>>& cells) {
    qreal height = 0;
    for (const auto& cell : cells) {
        height = std::max(height, textHeight(*cell));
    }
    return height;
}

}  // namespace

TableBlock::TableBlock(Table table, const QSizeF& body, QPaintDevice* device)
    : table_(std::move(table)), device_(device) {
    // A table without rows is its head alone, drawn once.
    if (table_.rows.empty()) {
        table_.rows.swap(table_.head);
    }
    edges_.push_back(0);
    for (const int share : table_.columns) {
        edges_.push_back(edges_.back() + body.width() * share / 100);
    }
    for (const TableRow& row : table_.head) {
        headHeights_.push_back(rowHeight(row));
    }
    headHeight_ = std::accumulate(headHeights_.begin(), headHeights_.end(), qreal(0));
    if (headHeight_ > body.height() * largestHeadShare) {
        table_.rows.insert(table_.rows.begin(), std::make_move_iterator(table_.head.begin()),
                           std::make_move_iterator(table_.head.end()));
        table_.head.clear();
        headHeights_.clear();
        headHeight_ = 0;
    }
    pieces_.reserve(table_.rows.size());
    for (std::size_t row = 0; row < table_.rows.size(); ++row) {
        addRowPieces(static_cast<int>(row), body.height() - headHeight_);
    }
}

int TableBlock::pieceCount() const {
    return static_cast<int>(pieces_.size());
}

qreal TableBlock::pieceHeight(int piece) const {
    return pieces_[static_cast<std::size_t>(piece)].height;
}

bool TableBlock::keepsWithPrevious(int piece) const {
    const RowPiece& rowPiece = pieces_[static_cast<std::size_t>(piece)];
    return rowPiece.slice == 0 &&
           table_.rows[static_cast<std::size_t>(rowPiece.row)].keepWithPrevious;
}

qreal TableBlock::headHeight() const {
    return headHeight_;
}

void TableBlock::drawHead(QPainter& painter, const QPointF& topLeft) const {
    qreal y = topLeft.y();
    for (std::size_t row = 0; row < table_.head.size(); ++row) {
        drawRow(painter, table_.head[row], headHeights_[row], QPointF(topLeft.x(), y));
        y += headHeights_[row];
    }
}

void TableBlock::drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const {
    qreal y = topLeft.y();
    for (auto piece = static_cast<std::size_t>(first); piece <= static_cast<std::size_t>(last);
         ++piece) {
        const RowPiece& at = pieces_[piece];
        const TableRow& row = table_.rows[static_cast<std::size_t>(at.row)];
        const auto sliced = slicedRows_.find(at.row);
        if (sliced == slicedRows_.end()) {
            drawRow(painter, row, at.height, QPointF(topLeft.x(), y));
        } else {
            drawCells(painter, row, at.height, QPointF(topLeft.x(), y),
                      [&](std::size_t column, const QPointF& textTopLeft) {
                          sliced->second.drawCell(painter, at.slice, column,
                                                  row.cells[column].style, textTopLeft);
                      });
        }
        y += at.height;
    }
}

qreal TableBlock::cellLeft(const TableRow& row, std::size_t column) const {
    return row.cells.size() == 1 ? 0 : edges_[column];
}

qreal TableBlock::cellWidth(const TableRow& row, std::size_t column) const {
    return row.cells.size() == 1 ? edges_.back() : edges_[column + 1] - edges_[column];
}

std::vector<std::unique_ptr<QTextLayout>> TableBlock::laidOutCells(const TableRow& row) const {
    std::vector<std::unique_ptr<QTextLayout>> cells;
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const TableCell& cell = row.cells[column];
        cells.push_back(
            laidOutText(cell.text, cell.style, cellWidth(row, column) - 2 * sidePadding, device_));
    }
    return cells;
}

qreal TableBlock::rowHeight(const TableRow& row) const {
    return tallestText(laidOutCells(row)) + 2 * topPadding;
}

void TableBlock::addRowPieces(int row, qreal room) {
    auto cells = laidOutCells(table_.rows[static_cast<std::size_t>(row)]);
    const qreal height = tallestText(cells) + 2 * topPadding;
    if (height <= room) {
        pieces_.push_back({height, row, 0});
        return;
    }
    SlicedRow sliced(std::move(cells), room - 2 * topPadding);
    for (int slice = 0; slice < sliced.sliceCount(); ++slice) {
        pieces_.push_back({sliced.textHeight(slice) + 2 * topPadding, row, slice});
    }
    slicedRows_.emplace(row, std::move(sliced));
}

void TableBlock::drawRow(QPainter& painter, const TableRow& row, qreal height,
                         const QPointF& topLeft) const {
    const auto cells = laidOutCells(row);
    drawCells(painter, row, height, topLeft, [&](std::size_t column, const QPointF& textTopLeft) {
        drawText(painter, *cells[column], row.cells[column].style, textTopLeft);
    });
}

void TableBlock::drawCells(QPainter& painter, const TableRow& row, qreal height,
                           const QPointF& topLeft, const CellText& cellText) const {
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const QRectF box(topLeft.x() + cellLeft(row, column), topLeft.y(), cellWidth(row, column),
                         height);
        if (row.shade) {
            painter.fillRect(box, QColor::fromRgb(*row.shade));
        }
        cellText(column, box.topLeft() + QPointF(sidePadding, topPadding));
        if (table_.ruled) {
            painter.setPen(QPen(QColor::fromRgb(ruleGrey), ruleWidth));
            painter.drawRect(box);
        }
    }
}

}  // namespace kadenza
