#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/InstrumentBank.h"
#include "model/InstrumentData.h"
#include "model/InstrumentItem.h"

namespace kadenza {

class DataTreeView;

// The container as the data tree shows it: a top-level row per bank, a child row per item.
// A row is the bank or item itself and its address number; its text is made from the
// container each time it is asked for, so a row costs a few bytes however many there are.
// The model changes the container only through takeBank, takeItem, insertBank and insertItem;
// after any other change it is shown again with showData.
class DataTreeModel : public QAbstractItemModel {
  public:
    // The role under which a row gives its address number.
    static constexpr int addressRole = Qt::UserRole;

    DataTreeModel(InstrumentData& data, const DataTreeView& view);

    // Shows the container's banks and items as they are now. A primary item's address number
    // is its number among the primary items of its bank, " [1]", " [2]" ...; every other
    // row's is one blank.
    void showData();
    // Shows no rows, whatever the container holds.
    void showNothing();
    bool showsData() const { return shown_; }
    // Counts the times showData numbered the rows afresh.
    int numbering() const { return numbering_; }

    // The bank or item of a row; none for an invalid index.
    InstrumentAbstract* objectAt(const QModelIndex& index) const;

    // Take the bank or item out of the container and its row out of the tree; the other rows
    // keep their numbers. takeItem gives the item's address number.
    std::unique_ptr<InstrumentBank> takeBank(int bank);
    std::unique_ptr<InstrumentItem> takeItem(int bank, int item, int& addressNumber);
    // Put them back at the same place, with their rows. An item keeps its address number
    // when the rows were not numbered afresh since it was taken (`addressNumber` is then
    // what takeItem gave); otherwise its bank is numbered afresh.
    void insertBank(int bank, std::unique_ptr<InstrumentBank> object);
    void insertItem(int bank, int item, std::unique_ptr<InstrumentItem> object,
                    std::optional<int> addressNumber);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    // The address numbers of a bank's items, 0 for none.
    static std::vector<int> numbersOf(const InstrumentBank& bank);
    void indexBanks();

    InstrumentData& data_;
    const DataTreeView& view_;
    bool shown_ = false;
    int numbering_ = 0;
    std::vector<std::vector<int>> numbers_;
    // An item's row points at its bank; this finds the bank's row.
    std::unordered_map<const InstrumentBank*, int> bankRows_;
};

}  // namespace kadenza
