#pragma once

#include <QColor>
#include <optional>
#include <vector>

#include "report/Block.h"
#include "report/ReportStyle.h"
#include "report/StyledText.h"

class QPaintDevice;

namespace kadenza {

struct TableCell {
    StyledText text;
    TextStyle style;
};

// One cell for every column, or a single cell across them all.
struct TableRow {
    std::vector<TableCell> cells;
    std::optional<QRgb> shade;
};

struct Table {
    // The columns' shares of the width, in per cent.
    std::vector<int> columns;
    // Lines around every cell.
    bool ruled = true;
    // Drawn again at the top of every page the table goes on on.
    std::vector<TableRow> head;
    std::vector<TableRow> rows;
};

// A table across the body's width: it may go on on the next page between its rows, never
// inside one, and its head goes with it. The cells are laid out again when drawn, so that a
// table of thousands of rows keeps only their heights.
class TableBlock : public Block {
  public:
    TableBlock(Table table, qreal width, QPaintDevice* device);

    int pieceCount() const override;
    qreal pieceHeight(int piece) const override;
    qreal headHeight() const override;
    void drawHead(QPainter& painter, const QPointF& topLeft) const override;
    void drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const override;

  private:
    // The left edge and the width of the cell in the column, or of a cell across the row.
    qreal cellLeft(const TableRow& row, std::size_t column) const;
    qreal cellWidth(const TableRow& row, std::size_t column) const;
    qreal rowHeight(const TableRow& row) const;
    // Draws the row at topLeft and gives the y below it.
    qreal drawRow(QPainter& painter, const TableRow& row, qreal height,
                  const QPointF& topLeft) const;

    Table table_;
    QPaintDevice* device_;
    std::vector<qreal> edges_;
    std::vector<qreal> headHeights_;
    std::vector<qreal> rowHeights_;
    qreal headHeight_ = 0;
};

}  // namespace kadenza
