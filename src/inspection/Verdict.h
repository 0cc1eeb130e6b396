#pragma once

#include <string>
#include <vector>

#include "inspection/Details.h"

namespace kadenza {

class InstrumentData;
class InstrumentItem;

enum class VerdictKind { pass, fail, none };

// What a measured value was judged to be, against which limit and by which rule. An item no
// rule judges has kind none and nothing else; one a rule could not judge for lack of a detail
// names its rule and the detail that was missing.
struct Verdict {
    VerdictKind kind = VerdictKind::none;
    // The limit as a reader sees it: "≥ 1 MΩ", "≤ 300 ms", "15 … 30 mA".
    std::string limit;
    // The rule's name: "insulation-2016", "rcd-time", "loop-impedance" …
    std::string rule;
    // The detail that was missing: "bank.device", "bank.rcdCurrent" …
    std::string missing;
};

// "pass", "fail" or "none".
const char* verdictName(VerdictKind kind);
// The verdict as a reader sees it, in the current language: "pass", "fail", "not judged".
std::string verdictWord(VerdictKind kind);

// The standard a rule comes from, for the report, in the current language: "IEC 60364-6,
// Table 6A". Empty for an unknown rule.
std::string ruleSource(const std::string& rule);

// The profile the inspection is judged by: the one its details name, else `appliance` when the
// container holds appliance quantities, else `installation-2016`.
std::string effectiveProfile(const InstrumentData& data, const InspectionDetails& inspection);

// Judges one item of a bank by the profile, the inspection's and the bank's details. A profile
// other than the three judges nothing.
Verdict judge(const InstrumentItem& item, const std::string& profile,
              const InspectionDetails& inspection, const BankDetails& bank);

// How many items passed, failed and were not judged.
struct VerdictCounts {
    int pass = 0;
    int fail = 0;
    int none = 0;

    void add(VerdictKind kind);
    // Fail when anything failed, pass when something passed, none otherwise.
    VerdictKind overall() const;
};

}  // namespace kadenza
