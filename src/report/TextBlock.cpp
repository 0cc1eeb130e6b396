#include "report/TextBlock.h"

#include <QPainter>

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
    painter.setPen(QColor::fromRgb(style_.colour));
    // A line is drawn where it sits in the paragraph, from the paragraph's origin.
    const QPointF origin = topLeft - QPointF(0, layout_->lineAt(first).y());
    for (int line = first; line <= last; ++line) {
        layout_->lineAt(line).draw(&painter, origin);
    }
}

}  // namespace kadenza
