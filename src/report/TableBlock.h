#pragma once

#include <QColor>
#include <QSizeF>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "report/Block.h"
#include "report/ReportStyle.h"
#include "report/SlicedRow.h"
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
    // Goes on the page of the row before it, as a measured value's companions follow it.
    bool keepWithPrevious = false;
};

struct Table {
    // The columns' shares of the width, in per cent.
    std::vector<int> columns;
    // Lines around every cell.
    bool ruled = true;
    // Drawn again at the top of every page the table goes on on, unless it takes more than a
    // quarter of a page: then it is the table's first rows, drawn once.
    std::vector<TableRow> head;
    std::vector<TableRow> rows;
};

// A table across the body's width: it may go on on the next page between its rows, and its
// head goes with it. A row taller than what a page has room for below the head is cut between
// the lines of its cells into pieces that fit, each drawn with all the row's cells and rules.
// Other rows' cells are laid out again when drawn, so that a table of thousands of rows keeps
// only their heights.
class TableBlock : public Block {
  public:
    TableBlock(Table table, const QSizeF& body, QPaintDevice* device);

    int pieceCount() const override;
    qreal pieceHeight(int piece) const override;
    bool keepsWithPrevious(int piece) const override;
    qreal headHeight() const override;
    void drawHead(QPainter& painter, const QPointF& topLeft) const override;
    void drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const override;

  private:
    // A row, or a slice of a row that was cut.
    struct RowPiece {
        qreal height;
        int row;
        int slice;
    };

    using CellText = std::function<void(std::size_t column, const QPointF& textTopLeft)>;

    // The left edge and the width of the cell in the column, or of a cell across the row.
    qreal cellLeft(const TableRow& row, std::size_t column) const;
    qreal cellWidth(const TableRow& row, std::size_t column) const;
    std::vector<std::unique_ptr<QTextLayout>> laidOutCells(const TableRow& row) const;
    qreal rowHeight(const TableRow& row) const;
    void addRowPieces(int row, qreal room);
    void drawRow(QPainter& painter, const TableRow& row, qreal height,
                 const QPointF& topLeft) const;
    // Shades, fills with `cellText` and rules the row's cells, `height` high from `topLeft`.
    void drawCells(QPainter& painter, const TableRow& row, qreal height, const QPointF& topLeft,
                   const CellText& cellText) const;

    Table table_;
    QPaintDevice* device_;
    std::vector<qreal> edges_;
    std::vector<qreal> headHeights_;
    qreal headHeight_ = 0;
    std::vector<RowPiece> pieces_;
    std::map<int, SlicedRow> slicedRows_;
};

}  // namespace kadenza
