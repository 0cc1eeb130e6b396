#pragma once

#include <QListWidget>
#include <vector>

#include "inspection/RevisionPeriods.h"

namespace kadenza {

// The entries of a table of revision periods (the environments, the kinds of place), each
// checked or not; Space checks the current one.
class PeriodList : public QListWidget {
    Q_OBJECT

  public:
    // `keys`: those checked, separated by commas, as the details hold them.
    PeriodList(const std::vector<RevisionPeriod>& table, const QString& keys);

    // The keys of the entries checked, in the table's order, separated by commas.
    QString checkedKeys() const;
};

}  // namespace kadenza
