#include "model/InstrumentSetupBank.h"

#include "language/Language.h"

namespace kadenza {

namespace {

// Language rows of the group names, by id; ids past the table are named like id 0.
constexpr int groupNameRows[] = {4, 5, 6, 244, 245};

}  // namespace

InstrumentSetupBank::InstrumentSetupBank(int id) : id_(id < 0 ? 0 : id) {}

InstrumentSetupItem* InstrumentSetupBank::item(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return items_[index].get();
}

void InstrumentSetupBank::add(std::unique_ptr<InstrumentSetupItem> item) {
    if (item) {
        items_.push_back(std::move(item));
    }
}

InstrumentSetupItem* InstrumentSetupBank::findItem(int kind) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if ((*it)->kind() == kind) {
            return it->get();
        }
    }
    return nullptr;
}

std::u16string InstrumentSetupBank::name() const {
    const int known = static_cast<int>(std::size(groupNameRows));
    return GetText(groupNameRows[id_ < known ? id_ : 0]);
}

}  // namespace kadenza
