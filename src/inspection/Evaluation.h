#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "inspection/Verdict.h"
#include "model/InstrumentData.h"

namespace kadenza {

// One item of the container with its verdict.
struct ItemEvaluation {
    const InstrumentBank* bank = nullptr;
    const InstrumentItem* item = nullptr;
    // The item's place in its bank's list, from 0.
    int index = 0;
    // The number the tree shows after a primary item, counted from 1 in its bank; none for
    // the other items.
    std::optional<int> address;
    Verdict verdict;
};

struct BankEvaluation {
    const InstrumentBank* bank = nullptr;
    BankDetails details;
    VerdictCounts counts;
};

// Every item of a container judged, banks and items in the container's order. The counts are
// of measured items: the rows that carry a bank's or an instrument record's own number are
// listed but not counted.
struct Evaluation {
    std::string profile;
    std::vector<ItemEvaluation> items;
    std::vector<BankEvaluation> banks;
    VerdictCounts counts;
};

// Whether the item is the row that numbers its bank or record.
bool isNumberingItem(const InstrumentItem& item);

// Judges the container by the profile given, else by effectiveProfile.
Evaluation evaluate(const InstrumentData& data, const DetailsDocument& details,
                    const std::string& profile = {});

}  // namespace kadenza
