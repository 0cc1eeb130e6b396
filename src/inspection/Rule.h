#pragma once

#include <optional>
#include <string>

#include "inspection/Details.h"
#include "inspection/Limit.h"
#include "inspection/Verdict.h"

namespace kadenza {

// What a rule judges: one item under a profile, with the inspection's and its bank's details.
struct RuleInput {
    const InstrumentItem& item;
    const std::string& profile;
    const InspectionDetails& inspection;
    const BankDetails& bank;
};

// Judges one quantity's item; a rule that does not apply returns a plain none.
using Rule = Verdict (*)(const RuleInput& input);

// Pass or fail, as the item meets the limit or not, with the limit and the rule's name.
Verdict judged(const InstrumentItem& item, const Limit& limit, const std::string& rule);

// None for want of the detail, named as the command line spells it ("bank.device").
Verdict lacking(const std::string& rule, const std::string& detail);

// A number a user gave that can serve as a limit or a rating: finite and above zero.
bool isPositive(const std::optional<double>& number);

}  // namespace kadenza
