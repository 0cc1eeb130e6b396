#include "app/DataTreeDelegate.h"

#include <QPainter>

#include "app/DataTreeView.h"
#include "app/DrawRichText.h"
#include "app/ReadableColour.h"

namespace kadenza {

namespace {

constexpr int rowTabPosition = 40;
// The space between a row's text and what is marked after it.
constexpr int markGap = 12;

// A tick for a value within its limit, a cross for one that fails it, each in a colour that
// stands out on the row's background; a question mark for one that lacks a detail to be
// judged and a bank's label, both in the row's own colour.
void drawMark(QPainter& painter, const DataTreeView::RowMark& mark, const QRect& strip, int x,
              const QColor& background) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(strip.height() * 7 / 8);
    QString text = mark.lacksDetail ? QStringLiteral("?") : mark.label;
    if (mark.verdict != VerdictKind::none) {
        const bool passed = mark.verdict == VerdictKind::pass;
        text = passed ? QStringLiteral("\u2713") : QStringLiteral("\u2717");
        painter.setPen(passed ? readableGreen(background) : readableRed(background));
        font.setBold(true);
    }
    painter.setFont(font);
    const QRect area(x + markGap, strip.top(), strip.right() - x - markGap, strip.height());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace

DataTreeDelegate::DataTreeDelegate(const DataTreeView& view, QObject* parent)
    : QStyledItemDelegate(parent), view_(view) {}

void DataTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    QRect strip = option.rect;
    strip.setRight(view_.viewport()->rect().right());
    const QColor background = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    painter->fillRect(strip, background);

    const std::optional<DataTreeRow> row = view_.rowAt(index);
    if (!row) {
        return;
    }
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const int end = DrawRichText(*painter, QStringLiteral("Arial"), strip, row->text,
                                 rowTabPosition, row->bold, row->red, background);
    const DataTreeView::RowMark mark = view_.markAt(index);
    if (mark.verdict != VerdictKind::none || mark.lacksDetail || !mark.label.isEmpty()) {
        drawMark(*painter, mark, strip, end, background);
    }
    painter->restore();
}

}  // namespace kadenza
