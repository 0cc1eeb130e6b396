#include "inspection/Evaluation.h"

#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/QuantityTable.h"

namespace kadenza {

namespace {

void evaluateBank(const InstrumentBank& bank, const InspectionDetails& inspection,
                  const DetailsDocument& details, Evaluation& evaluation) {
    const BankDetails bankDetails = details.bank(bank.number());
    BankEvaluation summary{&bank, bankDetails, {}};
    int primaries = 0;
    for (int index = 0; index < bank.count(); ++index) {
        const InstrumentItem& item = *bank.item(index);
        std::optional<int> address;
        if (item.isPrimary()) {
            address = ++primaries;
        }
        const Verdict verdict = judge(item, evaluation.profile, inspection, bankDetails);
        if (!isNumberingItem(item)) {
            summary.counts.add(verdict);
            evaluation.counts.add(verdict);
        }
        evaluation.items.push_back({&bank, &item, index, address, verdict});
    }
    evaluation.banks.push_back(summary);
}

}  // namespace

bool isNumberingItem(const InstrumentItem& item) {
    return item.symbol() == bankNumberQuantity || item.symbol() == instrumentNumberQuantity;
}

Evaluation evaluate(const InstrumentData& data, const DetailsDocument& details,
                    const std::string& profile) {
    const InspectionDetails inspection = details.inspection();
    Evaluation evaluation;
    evaluation.profile = profile.empty() ? effectiveProfile(data, inspection) : profile;
    for (int index = 0; index < data.count(); ++index) {
        evaluateBank(*data.bank(index), inspection, details, evaluation);
    }
    return evaluation;
}

}  // namespace kadenza
