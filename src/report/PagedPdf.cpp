#include "report/PagedPdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "report/LaidOutText.h"
#include "report/ReportStyle.h"

namespace kadenza {

namespace {

// Margins of the body, and where the running head and the footer sit, from the sheet's edges.
constexpr qreal sideMargin = millimetres(18);
constexpr qreal topMargin = millimetres(20);
constexpr qreal bottomMargin = millimetres(20);
constexpr qreal headTop = millimetres(10);
constexpr qreal footBottom = millimetres(10);
constexpr qreal decorationHeight = millimetres(5);
constexpr qreal decorationGap = millimetres(5);
constexpr TextStyle decorationStyle{7.5, false, false, 0x404040};

void paintBody(QPainter& painter, const ComposedPage& page) {
    painter.save();
    painter.translate(sideMargin, topMargin);
    for (const Placement& placement : page) {
        const Block& block = *placement.block;
        block.drawHead(painter, placement.topLeft);
        block.drawPieces(painter, placement.topLeft + QPointF(0, block.headHeight()),
                         placement.first, placement.last);
    }
    painter.restore();
}

// A text on one line of the area, centred on it from top to bottom, aligned as the style says.
void paintLineText(QPainter& painter, const QRectF& area, const TextStyle& style,
                   const QString& text) {
    const auto layout = laidOutText({text, {}}, style, area.width(), painter.device());
    drawText(painter, *layout, style,
             QPointF(area.left(), area.center().y() - textHeight(*layout) / 2));
}

// A line of small grey text with a rule under it (a head) or over it (a foot); the text on
// the left is cut short where it would run into the one on the right.
void paintDecorationLine(QPainter& painter, const QRectF& line, bool ruleBelow, const QString& left,
                         const QString& right) {
    TextStyle rightStyle = decorationStyle;
    rightStyle.alignment = Qt::AlignRight;
    const QFontMetricsF metrics(styleFont(decorationStyle), painter.device());
    const qreal room = line.width() - metrics.horizontalAdvance(right) - decorationGap;
    paintLineText(painter, line, decorationStyle, metrics.elidedText(left, Qt::ElideRight, room));
    paintLineText(painter, line, rightStyle, right);
    painter.setPen(QPen(QColor::fromRgb(decorationStyle.colour), ruleWidth));
    const qreal y = ruleBelow ? line.bottom() : line.top();
    painter.drawLine(QPointF(line.left(), y), QPointF(line.right(), y));
}

void paintDecoration(QPainter& painter, const QSizeF& sheet, const PageDecoration& decoration,
                     int page, int pages) {
    painter.save();
    const qreal width = sheet.width() - 2 * sideMargin;
    if (page > 0) {
        paintDecorationLine(painter, QRectF(sideMargin, headTop, width, decorationHeight), true,
                            decoration.runningHead, {});
    }
    const QRectF foot(sideMargin, sheet.height() - footBottom - decorationHeight, width,
                      decorationHeight);
    // A draft says so in the footer too, where it reads as text in any tool.
    const QString program =
        decoration.draftMark.isEmpty()
            ? decoration.program
            : decoration.program + QStringLiteral(" \u00B7 ") + decoration.draftMark;
    paintDecorationLine(painter, foot, false, program,
                        decoration.pageNumber.arg(page + 1).arg(pages));
    painter.restore();
}

// The draft's mark across the middle of the sheet in a grey light enough to read the body over
// it, drawn first and opaque: a PDF/A may not be transparent.
void paintDraftMark(QPainter& painter, const QSizeF& sheet, const QString& mark) {
    painter.save();
    painter.translate(sheet.width() / 2, sheet.height() / 2);
    painter.rotate(-45);
    const qreal diagonal = std::hypot(sheet.width(), sheet.height());
    paintLineText(painter, QRectF(-diagonal / 2, -diagonal / 8, diagonal, diagonal / 4),
                  draftMarkStyle, mark);
    painter.restore();
}

}  // namespace

void setUpReportPages(QPdfWriter& writer) {
    writer.setResolution(reportResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
}

QSizeF bodySize(const QPdfWriter& writer) {
    return {writer.width() - 2 * sideMargin, writer.height() - topMargin - bottomMargin};
}

void paintPages(QPdfWriter& writer, const std::vector<ComposedPage>& pages,
                const PageDecoration& decoration) {
    const QSizeF sheet(writer.width(), writer.height());
    const int count = static_cast<int>(pages.size());
    QPainter painter(&writer);
    for (int page = 0; page < count; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        if (!decoration.draftMark.isEmpty()) {
            paintDraftMark(painter, sheet, decoration.draftMark);
        }
        paintBody(painter, pages[static_cast<std::size_t>(page)]);
        paintDecoration(painter, sheet, decoration, page, count);
    }
}

QRectF sheetPoints(const QRectF& inBody) {
    constexpr qreal pointsPerUnit = 72.0 / reportResolution;
    const QRectF onSheet = inBody.translated(sideMargin, topMargin);
    return {onSheet.x() * pointsPerUnit, onSheet.y() * pointsPerUnit,
            onSheet.width() * pointsPerUnit, onSheet.height() * pointsPerUnit};
}

}  // namespace kadenza
