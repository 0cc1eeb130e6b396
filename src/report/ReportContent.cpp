#include "report/ReportContent.h"

#include <algorithm>

#include "inspection/Conclusion.h"
#include "inspection/ReportCompleteness.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

void addSource(std::vector<std::string>& sources, const std::string& rule) {
    const std::string source = ruleSource(rule);
    if (!source.empty() && std::find(sources.begin(), sources.end(), source) == sources.end()) {
        sources.push_back(source);
    }
}

bool holdsBank(const InstrumentData& data, int number) {
    for (int b = 0; b < data.count(); ++b) {
        if (data.bank(b)->number() == number) {
            return true;
        }
    }
    return false;
}

}  // namespace

ReportContent reportContent(const InstrumentData& data, const DetailsDocument& details) {
    const Evaluation evaluation = evaluate(data, details);
    ReportContent content;
    content.inspection = details.inspection();
    content.profile = evaluation.profile;
    content.counts = evaluation.counts;
    for (const BankEvaluation& bank : evaluation.banks) {
        content.banks.push_back({bank.bank, bank.details, {}, bank.counts});
    }
    auto bank = content.banks.begin();
    for (const ItemEvaluation& judged : evaluation.items) {
        while (bank->bank != judged.bank) {
            ++bank;
        }
        if (isNumberingItem(*judged.item)) {
            continue;
        }
        bank->items.push_back(judged);
        addSource(content.sources, judged.verdict.rule);
    }
    for (const int number : details.bankNumbers()) {
        if (!holdsBank(data, number)) {
            content.unmeasuredBanks.emplace_back(number, details.bank(number));
        }
    }
    content.instruments = details.instruments();
    content.defects = details.defects();
    for (const CheckItem& item : checklist()) {
        content.checks.emplace_back(item, details.check(item.name));
    }
    content.nextRevision = nextRevision(content.inspection);
    content.missing = missingReportItems(data, details);
    const std::string& conclusion = content.inspection.conclusion;
    content.conclusionStands =
        conclusion == unsafeConclusion ||
        (conclusion == safeConclusion && reasonAgainstSafe(data, details).empty());
    return content;
}

}  // namespace kadenza
