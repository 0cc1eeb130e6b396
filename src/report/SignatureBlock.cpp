#include "report/SignatureBlock.h"

#include <QPainter>

#include "report/LaidOutText.h"

namespace kadenza {

namespace {

// Room to sign in above the line, and the line's share of the width.
constexpr qreal signingRoom = millimetres(18);
constexpr qreal lineShare = 0.4;

}  // namespace

SignatureBlock::SignatureBlock(const StyledText& who, const StyledText& when,
                               const StyledText& signature, qreal width, QPaintDevice* device)
    : width_(width),
      who_(laidOutText(who, bodyStyle, width * (1 - lineShare), device)),
      when_(laidOutText(when, bodyStyle, width * (1 - lineShare), device)),
      signature_(laidOutText(signature, centredStyle, width * lineShare, device)) {}

QRectF SignatureBlock::signingArea(const QPointF& topLeft) const {
    return {topLeft + QPointF(width_ * (1 - lineShare), 0),
            QSizeF(width_ * lineShare, signingRoom)};
}

qreal SignatureBlock::pieceHeight(int) const {
    return signingRoom + std::max(textHeight(*who_) + textHeight(*when_), textHeight(*signature_));
}

void SignatureBlock::drawPieces(QPainter& painter, const QPointF& topLeft, int, int) const {
    const QPointF lineStart = topLeft + QPointF(width_ * (1 - lineShare), signingRoom);
    drawText(painter, *who_, bodyStyle, topLeft + QPointF(0, signingRoom));
    drawText(painter, *when_, bodyStyle, topLeft + QPointF(0, signingRoom + textHeight(*who_)));
    painter.setPen(QPen(Qt::black, ruleWidth));
    painter.drawLine(lineStart, lineStart + QPointF(width_ * lineShare, 0));
    drawText(painter, *signature_, centredStyle, lineStart);
}

}  // namespace kadenza
