#include "report/LaidOutText.h"

#include <QPainter>
#include <QTextOption>

namespace kadenza {

std::unique_ptr<QTextLayout> laidOutText(const StyledText& text, const TextStyle& style,
                                         qreal width, QPaintDevice* device) {
    auto layout = std::make_unique<QTextLayout>(text.text, styleFont(style), device);
    QTextOption option(style.alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setFormats(text.scripts);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    return layout;
}

qreal textHeight(const QTextLayout& layout) {
    const int lines = layout.lineCount();
    if (lines == 0) {
        return 0;
    }
    const QTextLine last = layout.lineAt(lines - 1);
    return last.y() + last.height();
}

void drawText(QPainter& painter, const QTextLayout& layout, const TextStyle& style,
              const QPointF& topLeft) {
    painter.setPen(QColor::fromRgb(style.colour));
    layout.draw(&painter, topLeft);
}

}  // namespace kadenza
