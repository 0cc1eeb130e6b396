#include "app/DataTreeModel.h"

#include "app/DataTreeView.h"

namespace kadenza {

namespace {

QString addressText(int number) {
    return number > 0 ? QStringLiteral(" [%1]").arg(number) : QStringLiteral(" ");
}

}  // namespace

DataTreeModel::DataTreeModel(InstrumentData& data, const DataTreeView& view)
    : data_(data), view_(view) {}

std::vector<int> DataTreeModel::numbersOf(const InstrumentBank& bank) {
    std::vector<int> numbers;
    numbers.reserve(static_cast<std::size_t>(bank.count()));
    int number = 1;
    for (int i = 0; i < bank.count(); ++i) {
        numbers.push_back(bank.item(i)->isPrimary() ? number++ : 0);
    }
    return numbers;
}

void DataTreeModel::indexBanks() {
    bankRows_.clear();
    if (!shown_) {
        return;
    }
    for (int b = 0; b < data_.count(); ++b) {
        bankRows_[data_.bank(b)] = b;
    }
}

void DataTreeModel::showData() {
    beginResetModel();
    shown_ = true;
    ++numbering_;
    numbers_.clear();
    numbers_.reserve(static_cast<std::size_t>(data_.count()));
    for (int b = 0; b < data_.count(); ++b) {
        numbers_.push_back(numbersOf(*data_.bank(b)));
    }
    indexBanks();
    endResetModel();
}

void DataTreeModel::showNothing() {
    beginResetModel();
    shown_ = false;
    numbers_.clear();
    indexBanks();
    endResetModel();
}

InstrumentAbstract* DataTreeModel::objectAt(const QModelIndex& index) const {
    if (!index.isValid()) {
        return nullptr;
    }
    if (auto* bank = static_cast<InstrumentBank*>(index.internalPointer())) {
        return bank->item(index.row());
    }
    return data_.bank(index.row());
}

std::unique_ptr<InstrumentBank> DataTreeModel::takeBank(int bank) {
    beginRemoveRows({}, bank, bank);
    std::unique_ptr<InstrumentBank> taken = data_.takeBank(bank);
    numbers_.erase(numbers_.begin() + bank);
    indexBanks();
    endRemoveRows();
    return taken;
}

std::unique_ptr<InstrumentItem> DataTreeModel::takeItem(int bank, int item, int& addressNumber) {
    beginRemoveRows(index(bank, 0), item, item);
    std::unique_ptr<InstrumentItem> taken = data_.bank(bank)->takeItem(item);
    std::vector<int>& numbers = numbers_[static_cast<std::size_t>(bank)];
    addressNumber = numbers[static_cast<std::size_t>(item)];
    numbers.erase(numbers.begin() + item);
    endRemoveRows();
    return taken;
}

void DataTreeModel::insertBank(int bank, std::unique_ptr<InstrumentBank> object) {
    beginInsertRows({}, bank, bank);
    numbers_.insert(numbers_.begin() + bank, numbersOf(*object));
    data_.insertBank(bank, std::move(object));
    indexBanks();
    endInsertRows();
}

void DataTreeModel::insertItem(int bank, int item, std::unique_ptr<InstrumentItem> object,
                               std::optional<int> addressNumber) {
    beginInsertRows(index(bank, 0), item, item);
    InstrumentBank& container = *data_.bank(bank);
    container.insertItem(item, std::move(object));
    std::vector<int>& numbers = numbers_[static_cast<std::size_t>(bank)];
    if (addressNumber) {
        numbers.insert(numbers.begin() + item, *addressNumber);
    } else {
        numbers = numbersOf(container);
    }
    endInsertRows();
    if (!addressNumber) {
        const QModelIndex bankIndex = index(bank, 0);
        emit dataChanged(index(0, 0, bankIndex),
                         index(static_cast<int>(numbers.size()) - 1, 0, bankIndex));
    }
}

QModelIndex DataTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent)) {
        return {};
    }
    InstrumentBank* bank = parent.isValid() ? data_.bank(parent.row()) : nullptr;
    return createIndex(row, column, bank);
}

QModelIndex DataTreeModel::parent(const QModelIndex& child) const {
    const auto* bank = static_cast<const InstrumentBank*>(child.internalPointer());
    if (!child.isValid() || bank == nullptr) {
        return {};
    }
    const auto found = bankRows_.find(bank);
    return found == bankRows_.end() ? QModelIndex() : createIndex(found->second, 0, nullptr);
}

int DataTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(numbers_.size());
    }
    if (parent.internalPointer() != nullptr) {
        return 0;
    }
    return static_cast<int>(numbers_[static_cast<std::size_t>(parent.row())].size());
}

int DataTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant DataTreeModel::data(const QModelIndex& index, int role) const {
    InstrumentAbstract* object = objectAt(index);
    if (object == nullptr) {
        return {};
    }
    const bool item = index.internalPointer() != nullptr;
    const int number = item ? numbers_[static_cast<std::size_t>(parent(index).row())]
                                      [static_cast<std::size_t>(index.row())]
                            : 0;
    switch (role) {
        case Qt::DisplayRole:
            return view_.spokenTextOf(*object, addressText(number));
        case Qt::AccessibleDescriptionRole:
            return view_.spokenMarkAt(index);
        case addressRole:
            return addressText(number);
        default:
            return {};
    }
}

}  // namespace kadenza
