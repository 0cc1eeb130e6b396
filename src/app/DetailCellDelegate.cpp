#include "app/DetailCellDelegate.h"

#include <QLineEdit>

#include "app/DetailTable.h"

namespace kadenza {

DetailCellDelegate::DetailCellDelegate(DetailTable& table)
    : QStyledItemDelegate(&table), table_(table) {}

QWidget* DetailCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    const int row = index.row();
    const int column = index.column();
    QWidget* editor = fieldEditor(table_.field(column), table_.value(row, column));
    editor->setParent(parent);
    editor->setAccessibleName(table_.cellName(row, column));
    return editor;
}

// The editor was made showing the cell's value.
void DetailCellDelegate::setEditorData(QWidget*, const QModelIndex&) const {}

void DetailCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                      const QModelIndex& index) const {
    table_.setValue(index.row(), index.column(), editorValue(editor));
}

}  // namespace kadenza
