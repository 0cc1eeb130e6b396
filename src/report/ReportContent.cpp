#include "report/ReportContent.h"

#include <algorithm>

#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/QuantityTable.h"

namespace kadenza {

namespace {

bool isNumberItem(const InstrumentItem& item) {
    return item.symbol() == bankNumberQuantity || item.symbol() == instrumentNumberQuantity;
}

void addSource(std::vector<std::string>& sources, const std::string& rule) {
    const std::string source = ruleSource(rule);
    if (!source.empty() && std::find(sources.begin(), sources.end(), source) == sources.end()) {
        sources.push_back(source);
    }
}

}  // namespace

ReportContent reportContent(const InstrumentData& data, const DetailsDocument& details) {
    const Evaluation evaluation = evaluate(data, details);
    ReportContent content;
    content.inspection = details.inspection();
    content.profile = evaluation.profile;
    for (const BankEvaluation& bank : evaluation.banks) {
        content.banks.push_back({bank.bank, details.bank(bank.bank->number()), {}, {}});
    }
    auto bank = content.banks.begin();
    for (const ItemEvaluation& judged : evaluation.items) {
        while (bank->bank != judged.bank) {
            ++bank;
        }
        if (isNumberItem(*judged.item)) {
            continue;
        }
        bank->items.push_back(judged);
        bank->counts.add(judged.verdict.kind);
        content.counts.add(judged.verdict.kind);
        addSource(content.sources, judged.verdict.rule);
    }
    return content;
}

}  // namespace kadenza
