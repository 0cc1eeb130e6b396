#pragma once

#include <QTableWidget>
#include <vector>

#include "app/DetailField.h"

namespace kadenza {

// A table of details of the same kind (the instruments, the defects, the circuits): a column
// for each field, a row for each instrument, defect or circuit. A cell is edited by its field's
// editor, named for screen readers by its column and row. Tab leaves the table; the arrows move
// between the cells, and typing or F2 edits one.
class DetailTable : public QTableWidget {
    Q_OBJECT

  public:
    explicit DetailTable(std::vector<DetailField> fields);

    const DetailField& field(int column) const { return fields_[static_cast<std::size_t>(column)]; }
    // Appends a row showing `values`, one for each field.
    void addRow(const std::vector<QString>& values);
    // The cell's text as the document takes it.
    QString value(int row, int column) const;
    void setValue(int row, int column, const QString& value);
    // What a screen reader calls the cell: its column's label and its row's.
    QString cellName(int row, int column) const;

  private:
    std::vector<DetailField> fields_;
};

}  // namespace kadenza
