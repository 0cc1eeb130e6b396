#pragma once

class QAbstractItemView;

namespace kadenza {

// Entering the table by the keyboard tells its current row, as a screen reader hears a row the
// arrows go to, so the first Down is heard to go on from it; a table with none makes its first
// row current.
void tellCurrentRowOnEntry(QAbstractItemView& table);

}  // namespace kadenza
