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
    VerdictCounts counts;
};

// Every item of a container judged, banks and items in the container's order.
struct Evaluation {
    std::string profile;
    std::vector<ItemEvaluation> items;
    std::vector<BankEvaluation> banks;
    VerdictCounts counts;
};

// Judges the container by the profile given, else by effectiveProfile.
Evaluation evaluate(const InstrumentData& data, const DetailsDocument& details,
                    const std::string& profile = {});

}  // namespace kadenza
