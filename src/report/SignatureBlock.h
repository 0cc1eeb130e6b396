#pragma once

#include <QTextLayout>
#include <memory>

#include "report/Block.h"
#include "report/StyledText.h"

class QPaintDevice;

namespace kadenza {

// The end of the report that the inspector signs: who and when on the left, on the right a
// line to sign on with the word under it, room above both. It is never split between pages.
class SignatureBlock : public Block {
  public:
    // `who` and `when` one above the other on the left, `signature` under the line.
    SignatureBlock(const StyledText& who, const StyledText& when, const StyledText& signature,
                   qreal width, QPaintDevice* device);

    // The room above the line where the inspector signs, the block's top left at `topLeft`.
    QRectF signingArea(const QPointF& topLeft) const;

    int pieceCount() const override { return 1; }
    qreal pieceHeight(int piece) const override;
    void drawPieces(QPainter& painter, const QPointF& topLeft, int first, int last) const override;

  private:
    qreal width_;
    std::unique_ptr<QTextLayout> who_;
    std::unique_ptr<QTextLayout> when_;
    std::unique_ptr<QTextLayout> signature_;
};

}  // namespace kadenza
