#include "app/DataTreeDelegate.h"

#include <QPainter>

#include "app/DataTreeView.h"
#include "app/DrawRichText.h"

namespace kadenza {

namespace {

constexpr int rowTabPosition = 40;

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
    DrawRichText(*painter, QStringLiteral("Arial"), strip, row->text, rowTabPosition, row->bold,
                 row->red, background);
    painter->restore();
}

}  // namespace kadenza
