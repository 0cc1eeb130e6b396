#include "model/InstrumentSetup.h"

namespace kadenza {

InstrumentSetupBank* InstrumentSetup::bank(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return banks_[index].get();
}

void InstrumentSetup::add(std::unique_ptr<InstrumentSetupBank> bank) {
    if (bank) {
        banks_.push_back(std::move(bank));
    }
}

InstrumentSetupBank* InstrumentSetup::findBank(int id) const {
    for (auto it = banks_.rbegin(); it != banks_.rend(); ++it) {
        if ((*it)->id() == id) {
            return it->get();
        }
    }
    return nullptr;
}

const InstrumentSetupItem* InstrumentSetup::firstOutOfRange() const {
    for (const auto& bank : banks_) {
        for (int i = 0; i < bank->count(); ++i) {
            if (!bank->item(i)->inRange()) {
                return bank->item(i);
            }
        }
    }
    return nullptr;
}

void InstrumentSetup::clear() {
    while (!banks_.empty()) {
        banks_.pop_back();
    }
}

}  // namespace kadenza
