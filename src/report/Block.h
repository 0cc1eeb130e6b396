#pragma once

#include <QPointF>

class QPainter;

namespace kadenza {

// A laid-out stretch of the report that the page composer places: pieces stacked top to bottom
// (a paragraph's lines, a table's rows), between which it may go on on the next page, and a
// head drawn above its first piece on every page it is on (a table's title and column names).
// A piece may be kept with the one before it (a measured value's companion rows): the page
// does not break between them.
class Block {
  public:
    virtual ~Block() = default;

    virtual int pieceCount() const = 0;
    virtual qreal pieceHeight(int piece) const = 0;
    virtual bool keepsWithPrevious(int /*piece*/) const { return false; }
    virtual qreal headHeight() const { return 0; }
    virtual void drawHead(QPainter&, const QPointF&) const {}
    // Draws the pieces `first` to `last`, the top of the first at `topLeft`.
    virtual void drawPieces(QPainter& painter, const QPointF& topLeft, int first,
                            int last) const = 0;
};

}  // namespace kadenza
