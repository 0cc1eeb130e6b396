#pragma once

#include <QTextLayout>
#include <memory>

#include "report/Block.h"
#include "report/ReportStyle.h"
#include "report/StyledText.h"

class QPaintDevice;

namespace kadenza {

// A paragraph across the body's width: it may go on on the next page between its lines.
class TextBlock : public Block {
  public:
    TextBlock(const StyledText& text, const TextStyle& style, qreal width, QPaintDevice* device);

    int pieceCount() const override;
    qreal pieceHeight(int piece) const override;
    void drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const override;

  private:
    TextStyle style_;
    std::unique_ptr<QTextLayout> layout_;
};

}  // namespace kadenza
