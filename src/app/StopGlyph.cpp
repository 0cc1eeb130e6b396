#include "app/StopGlyph.h"

#include <QPainter>
#include <QPen>

namespace kadenza {

namespace {

constexpr int glyphSize = 20;

}  // namespace

QPixmap stopGlyph() {
    QPixmap glyph(glyphSize, glyphSize);
    glyph.fill(Qt::transparent);

    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRectF(1, 1, glyphSize - 2, glyphSize - 2));

    // The cross keeps inside the disc with a margin of red around its ends.
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
    painter.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    return glyph;
}

}  // namespace kadenza
