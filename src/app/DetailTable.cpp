#include "app/DetailTable.h"

#include <QHeaderView>

#include "app/DetailCellDelegate.h"

namespace kadenza {

namespace {

constexpr int valueRole = Qt::UserRole;
constexpr int minimumColumnWidth = 72;

bool hasChoices(const DetailField& field) {
    return field.editor == Editor::choice || field.editor == Editor::editableChoice;
}

}  // namespace

DetailTable::DetailTable(std::vector<DetailField> fields)
    : QTableWidget(0, static_cast<int>(fields.size())), fields_(std::move(fields)) {
    QStringList headers;
    for (const DetailField& field : fields_) {
        headers << labelOf(field).text;
    }
    setHorizontalHeaderLabels(headers);
    setItemDelegate(new DetailCellDelegate(*this));
    setTabKeyNavigation(false);
    setEditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    horizontalHeader()->setMinimumSectionSize(minimumColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
}

void DetailTable::addRow(const std::vector<QString>& values) {
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column) {
        setItem(row, column, new QTableWidgetItem);
        setValue(row, column, values[static_cast<std::size_t>(column)]);
    }
}

// A choice's cell keeps the value stored beside the text it shows. A row being added has cells
// still to come: nothing.
QString DetailTable::value(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        return {};
    }
    return hasChoices(field(column)) ? cell->data(valueRole).toString() : cell->text().trimmed();
}

void DetailTable::setValue(int row, int column, const QString& value) {
    QTableWidgetItem* cell = item(row, column);
    const DetailField& detail = field(column);
    if (hasChoices(detail)) {
        cell->setData(valueRole, value);
    }
    cell->setText(hasChoices(detail) ? choiceText(detail, value) : value);
}

QString DetailTable::cellName(int row, int column) const {
    return horizontalHeaderItem(column)->text() + QStringLiteral(", ") +
           model()->headerData(row, Qt::Vertical).toString();
}

}  // namespace kadenza
