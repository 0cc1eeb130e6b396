#include "app/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace kadenza {

namespace {

const QColor outline(40, 40, 40);

// Draws the glyph in an 18 x 18 frame at one and at two device pixels per unit.
QIcon glyph(void (*draw)(QPainter&)) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(toolGlyphSize * scale, toolGlyphSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawInstrument(QPainter& painter) {
    painter.setPen(QPen(outline, 1));
    painter.setBrush(QColor(250, 190, 40));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 8, 15), 1.5, 1.5);
    painter.setBrush(QColor(200, 235, 200));
    painter.drawRect(QRectF(3, 3.5, 5, 4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawEllipse(QPointF(5.5, 12), 1.6, 1.6);

    QPainterPath arrow;
    arrow.moveTo(10, 7.5);
    arrow.lineTo(13, 7.5);
    arrow.lineTo(13, 4.5);
    arrow.lineTo(17.5, 9.5);
    arrow.lineTo(13, 14.5);
    arrow.lineTo(13, 11.5);
    arrow.lineTo(10, 11.5);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0, 90, 0), 1));
    painter.setBrush(QColor(40, 170, 60));
    painter.drawPath(arrow);
}

void drawGear(QPainter& painter) {
    constexpr int teeth = 8;
    constexpr double pi = 3.14159265358979;
    const QPointF centre(9, 9);
    QPainterPath gear;
    for (int i = 0; i < teeth * 2; ++i) {
        // Each tooth spans a quarter turn of its sector, with flanks at the root circle.
        const double radius = i % 2 == 0 ? 8.0 : 6.0;
        const double from = (i - 0.5) * pi / teeth;
        const double to = (i + 0.5) * pi / teeth;
        const QPointF start = centre + QPointF(std::cos(from), std::sin(from)) * radius;
        const QPointF end = centre + QPointF(std::cos(to), std::sin(to)) * radius;
        if (i == 0) {
            gear.moveTo(start);
        } else {
            gear.lineTo(start);
        }
        gear.lineTo(end);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 2.5, 2.5);
    painter.setPen(QPen(QColor(30, 45, 70), 1));
    painter.setBrush(QColor(110, 135, 170));
    painter.drawPath(gear);
}

void drawFolder(QPainter& painter) {
    painter.setPen(QPen(QColor(120, 85, 10), 1));
    painter.setBrush(QColor(215, 165, 45));
    QPainterPath back;
    back.moveTo(1.5, 15.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5.5);
    back.lineTo(14.5, 5.5);
    back.lineTo(14.5, 15.5);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(250, 210, 90));
    QPainterPath front;
    front.moveTo(1.5, 15.5);
    front.lineTo(4.5, 8.5);
    front.lineTo(17.5, 8.5);
    front.lineTo(14.5, 15.5);
    front.closeSubpath();
    painter.drawPath(front);
}

void drawDiskette(QPainter& painter) {
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(14, 1.5);
    body.lineTo(16.5, 4);
    body.lineTo(16.5, 16.5);
    body.lineTo(1.5, 16.5);
    body.closeSubpath();
    painter.setPen(QPen(QColor(10, 25, 70), 1));
    painter.setBrush(QColor(40, 80, 170));
    painter.drawPath(body);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 205, 215));
    painter.drawRect(QRectF(4.5, 2, 8, 5));
    painter.setBrush(QColor(40, 80, 170));
    painter.drawRect(QRectF(10, 3, 1.5, 3));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3.5, 10, 11, 6));
    painter.setPen(QPen(QColor(150, 150, 150), 0.8));
    painter.drawLine(QPointF(5, 12), QPointF(13, 12));
    painter.drawLine(QPointF(5, 14), QPointF(13, 14));
}

void drawPrinter(QPainter& painter) {
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4.5, 1.5, 9, 6));
    painter.setBrush(QColor(150, 150, 155));
    painter.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1.5, 1.5);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4.5, 11.5, 9, 5));
    painter.setPen(QPen(QColor(120, 120, 120), 0.8));
    painter.drawLine(QPointF(6, 13.5), QPointF(12, 13.5));
    painter.drawLine(QPointF(6, 15), QPointF(11, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 170, 60));
    painter.drawEllipse(QPointF(14, 9), 0.9, 0.9);
}

}  // namespace

QIcon startTransferGlyph() {
    return glyph(drawInstrument);
}

QIcon setupGlyph() {
    return glyph(drawGear);
}

QIcon openGlyph() {
    return glyph(drawFolder);
}

QIcon saveAsGlyph() {
    return glyph(drawDiskette);
}

QIcon printGlyph() {
    return glyph(drawPrinter);
}

}  // namespace kadenza
