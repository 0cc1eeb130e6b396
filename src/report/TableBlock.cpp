#include "report/TableBlock.h"

#include <QPainter>
#include <numeric>

#include "report/LaidOutText.h"

namespace kadenza {

namespace {

constexpr qreal sidePadding = millimetres(1);
constexpr qreal topPadding = millimetres(0.6);

}  // namespace

TableBlock::TableBlock(Table table, qreal width, QPaintDevice* device)
    : table_(std::move(table)), device_(device) {
    // A table without rows is its head alone, drawn once.
    if (table_.rows.empty()) {
        table_.rows.swap(table_.head);
    }
    edges_.push_back(0);
    for (const int share : table_.columns) {
        edges_.push_back(edges_.back() + width * share / 100);
    }
    for (const TableRow& row : table_.head) {
        headHeights_.push_back(rowHeight(row));
    }
    headHeight_ = std::accumulate(headHeights_.begin(), headHeights_.end(), qreal(0));
    for (const TableRow& row : table_.rows) {
        rowHeights_.push_back(rowHeight(row));
    }
}

int TableBlock::pieceCount() const {
    return static_cast<int>(rowHeights_.size());
}

qreal TableBlock::pieceHeight(int piece) const {
    return rowHeights_[static_cast<std::size_t>(piece)];
}

qreal TableBlock::headHeight() const {
    return headHeight_;
}

void TableBlock::drawHead(QPainter& painter, const QPointF& topLeft) const {
    qreal y = topLeft.y();
    for (std::size_t row = 0; row < table_.head.size(); ++row) {
        y = drawRow(painter, table_.head[row], headHeights_[row], QPointF(topLeft.x(), y));
    }
}

void TableBlock::drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const {
    qreal y = topLeft.y();
    for (auto row = static_cast<std::size_t>(first); row <= static_cast<std::size_t>(last); ++row) {
        y = drawRow(painter, table_.rows[row], rowHeights_[row], QPointF(topLeft.x(), y));
    }
}

qreal TableBlock::cellLeft(const TableRow& row, std::size_t column) const {
    return row.cells.size() == 1 ? 0 : edges_[column];
}

qreal TableBlock::cellWidth(const TableRow& row, std::size_t column) const {
    return row.cells.size() == 1 ? edges_.back() : edges_[column + 1] - edges_[column];
}

qreal TableBlock::rowHeight(const TableRow& row) const {
    qreal height = 0;
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const TableCell& cell = row.cells[column];
        const auto layout =
            laidOutText(cell.text, cell.style, cellWidth(row, column) - 2 * sidePadding, device_);
        height = std::max(height, textHeight(*layout));
    }
    return height + 2 * topPadding;
}

qreal TableBlock::drawRow(QPainter& painter, const TableRow& row, qreal height,
                          const QPointF& topLeft) const {
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const TableCell& cell = row.cells[column];
        const QRectF box(topLeft.x() + cellLeft(row, column), topLeft.y(), cellWidth(row, column),
                         height);
        if (row.shade) {
            painter.fillRect(box, QColor::fromRgb(*row.shade));
        }
        const auto layout =
            laidOutText(cell.text, cell.style, box.width() - 2 * sidePadding, device_);
        drawText(painter, *layout, cell.style, box.topLeft() + QPointF(sidePadding, topPadding));
        if (table_.ruled) {
            painter.setPen(QPen(QColor::fromRgb(ruleGrey), ruleWidth));
            painter.drawRect(box);
        }
    }
    return topLeft.y() + height;
}

}  // namespace kadenza
