#pragma once

#include <string>
#include <vector>

#include "inspection/Evaluation.h"

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
    VerdictCounts counts;
    // The sources of the rules that judged an item, or tried to, each once in the order first
    // met.
    std::vector<std::string> sources;
};

// The content of the container's report; the container must outlive it.
ReportContent reportContent(const InstrumentData& data, const DetailsDocument& details);

}  // namespace kadenza
