#pragma once

#include <QTreeWidgetItem>

#include "model/InstrumentAbstract.h"

namespace kadenza {

// A row of the data tree: the bank or item it shows and its address number. Its text is made
// from the container each time it is asked for, so that a row keeps no text of its own: a
// bank of many thousand items costs little more than the items themselves.
class DataTreeNode : public QTreeWidgetItem {
  public:
    // The roles under which a row gives its object (a void pointer) and its address number.
    static constexpr int objectRole = Qt::UserRole;
    static constexpr int addressRole = Qt::UserRole + 1;

    // `addressNumber` is the item's number among the primary items of its bank, 0 for none.
    DataTreeNode(InstrumentAbstract& object, int addressNumber);

    InstrumentAbstract& object() const { return object_; }
    int addressNumber() const { return addressNumber_; }
    // " [n]" after a numbered item, one blank after every other row.
    QString addressText() const;

    QVariant data(int column, int role) const override;

  private:
    InstrumentAbstract& object_;
    int addressNumber_;
};

}  // namespace kadenza
