#pragma once

#include <optional>
#include <string>
#include <vector>

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

// The verdict every candidate agrees on, each judged by a reading of a detail nobody gave
// (selective or not, the test's waveform): a pass against the limits all candidates share, a fail
// against the widest of them. When they differ, none for want of the detail.
Verdict agreed(const std::vector<Verdict>& candidates, const std::string& rule,
               const std::string& detail);

// Whether a protective conductor's reading is over range: the conductor is open.
bool isOpenConductor(const InstrumentItem& item);

// What a protective conductor's reading is worth a remark for: "open-conductor" over range,
// "low-measuring-current" when the instrument noted a current below 0.2 A; empty otherwise.
std::string conductorRemark(const InstrumentItem& item);

// A number a user gave that can serve as a limit or a rating: finite and above zero.
bool isPositive(const std::optional<double>& number);

}  // namespace kadenza
