#pragma once

#include <string>
#include <vector>

#include "inspection/Checklist.h"
#include "inspection/Evaluation.h"
#include "inspection/ReportCompleteness.h"
#include "inspection/RevisionPeriods.h"

namespace kadenza {

// A bank as the report lists it: its details, its measured items with their verdicts and
// what those verdicts add up to.
struct BankReport {
    const InstrumentBank* bank = nullptr;
    BankDetails details;
    std::vector<ItemEvaluation> items;
    VerdictCounts counts;
};

// What the report tells, gathered before it is laid out. The items that carry a bank's or an
// instrument record's own number are left out, as the counts leave them out: the bank's title
// already says it.
struct ReportContent {
    InspectionDetails inspection;
    std::string profile;
    std::vector<BankReport> banks;
    // Circuits described in the details that the data hold no bank of, by their numbers.
    std::vector<std::pair<int, BankDetails>> unmeasuredBanks;
    VerdictCounts counts;
    // The sources of the rules that judged an item, or tried to, each once in the order first
    // met.
    std::vector<std::string> sources;
    std::vector<InstrumentDetails> instruments;
    std::vector<DefectDetails> defects;
    // Each item of the checklist with its result ("ok", "defect", "na"; empty when none).
    std::vector<std::pair<CheckItem, std::string>> checks;
    std::optional<NextRevision> nextRevision;
    // What the report lacks to be more than a draft; empty when it is whole.
    std::vector<MissingItem> missing;
    // Whether the conclusion may be stated: "unsafe", or "safe" where nothing stands against it.
    bool conclusionStands = false;
};

// The content of the container's report; the container must outlive it.
ReportContent reportContent(const InstrumentData& data, const DetailsDocument& details);

}  // namespace kadenza
