#include "inspection/ApplianceRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "inspection/ItemNote.h"
#include "inspection/TextReading.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

// A measurement's limit for classes I, II and III, in that order; none where the class has
// no limit.
using ClassLimits = std::array<std::optional<Limit>, 3>;

// 0, 1 or 2 for "I", "II" or "III", in any case; none for anything else.
std::optional<std::size_t> classIndexOf(const BankDetails& bank) {
    constexpr std::array<std::string_view, 3> classes = {"I", "II", "III"};
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (sameIgnoringCase(trimmed(bank.applianceClass), classes[i])) {
            return i;
        }
    }
    return std::nullopt;
}

Verdict judgedByClass(const RuleInput& input, const std::string& rule, const ClassLimits& limits) {
    const auto index = classIndexOf(input.bank);
    if (!index) {
        return lacking(rule, "bank.applianceClass");
    }
    const auto& limit = limits[*index];
    return limit ? judged(input.item, *limit, rule) : Verdict{};
}

// 0.3 Ω for a cord up to 5 m and 0.1 Ω more for each further 7.5 m begun, at most 1 Ω.
// Tenths of an ohm are counted as whole numbers, so the limits are exact decimals.
double cordLimit(double cordLength) {
    const double steps = std::ceil(std::max(0.0, (cordLength - 5) / 7.5));
    return std::min(3 + steps, 10.0) / 10;
}

bool isCordLength(const std::optional<double>& length) {
    return length && std::isfinite(*length) && *length >= 0;
}

const std::optional<Limit> noLimit;

std::optional<Limit> milliamperesAtMost(double limit) {
    return atMost(limit * 1e-3, milliamperes);
}

Verdict conductorVerdict(const RuleInput& input, const char* rule) {
    if (isPositive(input.bank.peLimit)) {
        return judged(input.item, atMost(*input.bank.peLimit, ohms), rule);
    }
    const auto index = classIndexOf(input.bank);
    if (!index) {
        return lacking(rule, "bank.applianceClass");
    }
    if (*index != 0) {
        return {};
    }
    if (isCordLength(input.bank.cordLength)) {
        return judged(input.item, atMost(cordLimit(*input.bank.cordLength), ohms), rule);
    }
    if (isOpenConductor(input.item)) {
        return {VerdictKind::fail, std::nullopt, rule, {}, {}};
    }
    return lacking(rule, "bank.cordLength");
}

}  // namespace

// The user's explicit limit wins over the one from the cord. A class I appliance whose
// conductor reads over range has it open, whatever its cord.
Verdict applianceProtectiveConductor(const RuleInput& input) {
    const char* rule = "appliance-protective-conductor";
    Verdict verdict = conductorVerdict(input, rule);
    if (!verdict.rule.empty()) {
        verdict.remark = conductorRemark(input.item);
    }
    return verdict;
}

// Tests at 50 V and 100 V are not the insulation test and are not judged.
Verdict applianceInsulation(const RuleInput& input) {
    const auto testVoltage = readTestVoltage(input.item.noteOrEmpty());
    if (testVoltage && *testVoltage < 250) {
        Verdict verdict;
        verdict.remark = "low-test-voltage";
        return verdict;
    }
    return judgedByClass(input, "appliance-insulation",
                         {atLeast(1e6, megohms), atLeast(2e6, megohms), atLeast(0.25e6, megohms)});
}

Verdict appliancePeCurrent(const RuleInput& input) {
    return judgedByClass(input, "appliance-pe-current",
                         {milliamperesAtMost(3.5), noLimit, noLimit});
}

Verdict applianceTouchCurrent(const RuleInput& input) {
    return judgedByClass(input, "appliance-touch-current",
                         {milliamperesAtMost(0.5), milliamperesAtMost(0.5), noLimit});
}

Verdict applianceSubstituteLeakage(const RuleInput& input) {
    return judgedByClass(input, "appliance-substitute-leakage",
                         {milliamperesAtMost(3.5), milliamperesAtMost(0.5), noLimit});
}

Verdict applianceDifferentialLeakage(const RuleInput& input) {
    return judgedByClass(input, "appliance-differential-leakage",
                         {milliamperesAtMost(3.5), milliamperesAtMost(0.5), noLimit});
}

}  // namespace kadenza
