#include "setup/SetupImages.h"

#include <QPainter>
#include <QPolygonF>

namespace kadenza {

namespace {

const QColor outline(96, 64, 0);
const QColor folderBack(214, 160, 24);
const QColor folderFront(255, 216, 64);
const QColor sheetEdge(112, 112, 112);
const QColor textLine(40, 40, 40);

QPixmap blankImage() {
    QPixmap image(setupImageSize, setupImageSize);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

QPixmap openFolderImage() {
    QPixmap image = blankImage();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    // The back with its tab, then the open flap leaning towards the viewer.
    painter.setBrush(folderBack);
    painter.drawPolygon(
        QPolygonF({{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {16.5, 6.5}, {16.5, 16.5}, {1.5, 16.5}}));
    painter.setBrush(folderFront);
    painter.drawPolygon(QPolygonF({{4.5, 9.5}, {19.5, 9.5}, {16.5, 16.5}, {1.5, 16.5}}));
    return image;
}

QPixmap sheetImage() {
    QPixmap image = blankImage();
    QPainter painter(&image);
    painter.setPen(sheetEdge);
    painter.setBrush(Qt::white);
    // A page with its top right corner folded down.
    painter.drawPolygon(QPolygon({{4, 1}, {12, 1}, {16, 5}, {16, 18}, {4, 18}}));
    painter.drawPolyline(QPolygon({{12, 1}, {12, 5}, {16, 5}}));
    painter.setPen(textLine);
    for (int y = 7; y <= 15; y += 2) {
        painter.drawLine(6, y, y == 15 ? 11 : 14, y);
    }
    return image;
}

}  // namespace kadenza
