#include "app/KeyboardStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QToolButton>

namespace kadenza {

namespace {

constexpr qreal frameWidth = 2;

}  // namespace

void KeyboardStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameFocusRect || qobject_cast<const QToolButton*>(widget) == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    QPen pen(option->palette.color(QPalette::WindowText), frameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    // Round the whole button: the style asks for a frame inside it, over its glyph.
    painter->drawRect(
        QRectF(widget->rect())
            .adjusted(frameWidth / 2, frameWidth / 2, -frameWidth / 2, -frameWidth / 2));
    painter->restore();
}

}  // namespace kadenza
