#include "inspection/Evaluation.h"

#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

void evaluateBank(const InstrumentBank& bank, const InspectionDetails& inspection,
                  const DetailsDocument& details, Evaluation& evaluation) {
    const BankDetails bankDetails = details.bank(bank.number());
    BankEvaluation summary{&bank, {}};
    int primaries = 0;
    for (int index = 0; index < bank.count(); ++index) {
        const InstrumentItem& item = *bank.item(index);
        std::optional<int> address;
        if (item.isPrimary()) {
            address = ++primaries;
        }
        const Verdict verdict = judge(item, evaluation.profile, inspection, bankDetails);
        summary.counts.add(verdict.kind);
        evaluation.counts.add(verdict.kind);
        evaluation.items.push_back({&bank, &item, index, address, verdict});
    }
    evaluation.banks.push_back(summary);
}

}  // namespace

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
