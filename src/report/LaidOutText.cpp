#include "report/LaidOutText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include "report/ReportFonts.h"

namespace kadenza {

namespace {

// The no-break space that joins a number to its unit is set 0.42 em wide: a reader of the PDF's
// text (pdftotext, a viewer's search) keeps a blank between two lone characters, as in "2 Ω",
// only from 0.4 em on.
QList<QTextLayout::FormatRange> unitSpaceRuns(const QString& text, const QFont& font,
                                              QPaintDevice* device) {
    const qreal em = font.pointSizeF() / 72 * reportResolution;
    QTextCharFormat wide;
    wide.setFontWordSpacing(0.42 * em -
                            QFontMetricsF(font, device).horizontalAdvance(QChar(QChar::Nbsp)));
    QList<QTextLayout::FormatRange> runs;
    for (qsizetype at = text.indexOf(QChar::Nbsp); at >= 0;
         at = text.indexOf(QChar::Nbsp, at + 1)) {
        runs.append({static_cast<int>(at), 1, wide});
    }
    return runs;
}

}  // namespace

std::unique_ptr<QTextLayout> laidOutText(const StyledText& text, const TextStyle& style,
                                         qreal width, QPaintDevice* device) {
    const QFont font = styleFont(style);
    auto layout = std::make_unique<QTextLayout>(text.text, font, device);
    QTextOption option(style.alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setFormats(text.scripts + signRuns(text.text, font) +
                       unitSpaceRuns(text.text, font, device));
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
    return linesHeight(layout, 0, layout.lineCount());
}

qreal linesHeight(const QTextLayout& layout, int first, int end) {
    if (first == end) {
        return 0;
    }
    const QTextLine last = layout.lineAt(end - 1);
    return last.y() + last.height() - layout.lineAt(first).y();
}

void drawText(QPainter& painter, const QTextLayout& layout, const TextStyle& style,
              const QPointF& topLeft) {
    painter.setPen(QColor::fromRgb(style.colour));
    layout.draw(&painter, topLeft);
}

void drawLines(QPainter& painter, const QTextLayout& layout, const TextStyle& style, int first,
               int end, const QPointF& topLeft) {
    if (first == end) {
        return;
    }
    painter.setPen(QColor::fromRgb(style.colour));
    // A line is drawn where it sits in the text, from the text's origin.
    const QPointF origin = topLeft - QPointF(0, layout.lineAt(first).y());
    for (int line = first; line < end; ++line) {
        layout.lineAt(line).draw(&painter, origin);
    }
}

}  // namespace kadenza
