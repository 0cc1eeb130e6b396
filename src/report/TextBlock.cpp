#include "report/TextBlock.h"

#include "report/LaidOutText.h"

namespace kadenza {

TextBlock::TextBlock(const StyledText& text, const TextStyle& style, qreal width,
                     QPaintDevice* device)
    : style_(style), layout_(laidOutText(text, style, width, device)) {}

int TextBlock::pieceCount() const {
    return layout_->lineCount();
}

qreal TextBlock::pieceHeight(int piece) const {
    return layout_->lineAt(piece).height();
}

void TextBlock::drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const {
    drawLines(painter, *layout_, style_, first, last + 1, topLeft);
}

}  // namespace kadenza
