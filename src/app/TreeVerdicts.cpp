#include "app/TreeVerdicts.h"

#include "model/InstrumentBank.h"

namespace kadenza {

void TreeVerdicts::update(const InstrumentData& data, const DetailsDocument& details) {
    inspection_ = details.inspection();
    profile_ = effectiveProfile(data, inspection_);
    banks_.clear();
    for (int number : details.bankNumbers()) {
        banks_[number] = details.bank(number);
    }
}

Verdict TreeVerdicts::verdictOf(const InstrumentItem& item, const InstrumentBank& bank) const {
    return judge(item, profile_, inspection_, detailsOf(bank));
}

std::string TreeVerdicts::labelOf(const InstrumentBank& bank) const {
    return detailsOf(bank).label;
}

const BankDetails& TreeVerdicts::detailsOf(const InstrumentBank& bank) const {
    const auto found = banks_.find(bank.number());
    return found == banks_.end() ? noDetails_ : found->second;
}

}  // namespace kadenza
