#pragma once

#include <QStringList>

class QTableWidget;

namespace kadenza {

// Sets a table's row to `texts`, one a column, as cells that can be chosen and copied but
// not edited.
void setReadOnlyRow(QTableWidget& table, int row, const QStringList& texts);

}  // namespace kadenza
