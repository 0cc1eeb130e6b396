#pragma once

#include <QStyledItemDelegate>

namespace kadenza {

class DetailTable;

// Edits a cell of a DetailTable with its field's editor: a choice box where the values are a
// fixed set, a line otherwise; the editor has no label of its own, so it carries the cell's
// name.
class DetailCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit DetailCellDelegate(DetailTable& table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    DetailTable& table_;
};

}  // namespace kadenza
