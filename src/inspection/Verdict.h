#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspection/Details.h"
#include "inspection/Limit.h"

namespace kadenza {

class InstrumentData;
class InstrumentItem;

enum class VerdictKind { pass, fail, none };

// What a measured value was judged to be, against which limit and by which rule. An item no
// rule judges has kind none and nothing else; one a rule could not judge for lack of a detail
// names its rule and the detail that was missing.
struct Verdict {
    VerdictKind kind = VerdictKind::none;
    // The limit the reading was compared with; none when no limit decided the verdict.
    std::optional<Limit> limit;
    // The rule's name: "insulation-2016", "rcd-time", "loop-impedance" …
    std::string rule;
    // The detail that was missing: "bank.device", "bank.rcdCurrent" …
    std::string missing;
    // What a reader should know beside the verdict, by name: "reduced-test-voltage" …
    std::string remark;

    // Whether a rule should have judged the item but lacked a detail.
    bool lacksDetail() const { return kind == VerdictKind::none && !missing.empty(); }
};

// The verdict's limit as a reader sees it ("≥ 1 MΩ", "≤ 2.87 Ω"); empty without one.
std::string shownLimit(const Verdict& verdict);

// "pass", "fail" or "none".
const char* verdictName(VerdictKind kind);
// The verdict as a reader sees it, in the current language: "pass", "fail", "not judged",
// or "missing detail" for an item whose rule lacked a detail.
std::string verdictWord(const Verdict& verdict);
std::string verdictWord(VerdictKind kind);
std::string missingDetailWord();

// A remark's text in the current language; empty for none.
std::string remarkText(const std::string& remark);

// The standard a rule comes from, for the report, in the current language: "IEC 60364-6,
// Table 6.1". Empty for an unknown rule.
std::string ruleSource(const std::string& rule);

// The profile the inspection is judged by: the one its details name, else `appliance` when the
// container holds appliance quantities, else `installation-2016`.
std::string effectiveProfile(const InstrumentData& data, const InspectionDetails& inspection);

// Judges one item of a bank by the profile, the inspection's and the bank's details. A profile
// other than the known ones judges nothing.
Verdict judge(const InstrumentItem& item, const std::string& profile,
              const InspectionDetails& inspection, const BankDetails& bank);

// What a set of items adds up to: pass only when every judged item passed and no item was
// left unjudged for a missing detail; incomplete when a detail was missing and nothing failed;
// fail when anything failed; none when nothing was there to judge.
enum class Overall { pass, fail, incomplete, none };

// "pass", "fail", "incomplete" or "none".
const char* overallName(Overall overall);
// In the current language: "pass", "fail", "incomplete", "not judged".
std::string overallWord(Overall overall);

// How many measured items passed, failed, lacked a detail or had no rule to judge them, and
// which details were missing.
struct VerdictCounts {
    int pass = 0;
    int fail = 0;
    int missing = 0;
    int none = 0;
    // Each missing detail once, in the order met: "bank.device", "bank.earthing".
    std::vector<std::string> missingDetails;

    void add(const Verdict& verdict);
    Overall overall() const;
};

}  // namespace kadenza
