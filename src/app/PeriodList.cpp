#include "app/PeriodList.h"

#include <QScrollBar>
#include <QStringList>

#include "language/Language.h"

namespace kadenza {

namespace {

constexpr int keyRole = Qt::UserRole;

void addEntry(QListWidget& list, const QString& text, const QString& key, bool checked) {
    auto* entry = new QListWidgetItem(text, &list);
    entry->setData(keyRole, key);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

PeriodList::PeriodList(const std::vector<RevisionPeriod>& table, const QString& keys) {
    QStringList unknown;
    for (const QString& key : keys.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        unknown << key.trimmed();
    }
    for (const RevisionPeriod& period : table) {
        const QString key = QString::fromLatin1(period.key);
        const bool checked = unknown.removeAll(key) > 0;
        addEntry(*this, QString::fromUtf8(RowText(period.row)), key, checked);
    }
    // A key the table does not have (a file written by hand) stays checked, for OK to name.
    for (const QString& key : unknown) {
        addEntry(*this, key, key, true);
    }
    // The cursor starts on the first entry without choosing it: a checkmark is the choice.
    setCurrentRow(0, QItemSelectionModel::NoUpdate);
    setMinimumWidth(sizeHintForColumn(0) + 2 * frameWidth() +
                    verticalScrollBar()->sizeHint().width());
}

QString PeriodList::checkedKeys() const {
    QStringList keys;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->checkState() == Qt::Checked) {
            keys << item(row)->data(keyRole).toString();
        }
    }
    return keys.join(QLatin1Char(','));
}

}  // namespace kadenza
