#pragma once

#include <QStyledItemDelegate>

namespace kadenza {

class DataTreeView;

// Paints the rows of the data tree itself, so that a row can carry sub- and superscripts,
// bold primary values and red over-range values: the row's strip from the start of its
// label to the right edge of the tree in the highlight colour (selected) or the background,
// then the row text through DrawRichText.
class DataTreeDelegate : public QStyledItemDelegate {
  public:
    DataTreeDelegate(const DataTreeView& view, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const DataTreeView& view_;
};

}  // namespace kadenza
