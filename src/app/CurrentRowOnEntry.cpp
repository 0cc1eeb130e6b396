#include "app/CurrentRowOnEntry.h"

#include <QAbstractItemView>
#include <QFocusEvent>

namespace kadenza {

namespace {

class CurrentRowTeller : public QObject {
  public:
    explicit CurrentRowTeller(QAbstractItemView& table) : QObject(&table), table_(table) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
            tell();
        }
        return false;
    }

  private:
    // The view tells a row when it becomes current while the view has the focus; the row that
    // was current before the focus came is made current again for it.
    void tell() {
        QItemSelectionModel& selection = *table_.selectionModel();
        const QModelIndex current = table_.currentIndex();
        if (!current.isValid()) {
            selection.setCurrentIndex(
                table_.model()->index(0, 0, table_.rootIndex()),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return;
        }
        selection.setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        selection.setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }

    QAbstractItemView& table_;
};

}  // namespace

void tellCurrentRowOnEntry(QAbstractItemView& table) {
    table.installEventFilter(new CurrentRowTeller(table));
}

}  // namespace kadenza
