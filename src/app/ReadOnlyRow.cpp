#include "app/ReadOnlyRow.h"

#include <QTableWidget>

namespace kadenza {

void setReadOnlyRow(QTableWidget& table, int row, const QStringList& texts) {
    for (int column = 0; column < texts.size(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table.setItem(row, column, item);
    }
}

}  // namespace kadenza
