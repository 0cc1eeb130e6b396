#include "inspection/RcdRules.h"

#include "inspection/ItemNote.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

bool isSelective(const BankDetails& bank) {
    return bank.rcdSelective.value_or(false);
}

// The window the tripping current must fall in, as multiples of IΔn. A type F RCD is judged
// as type A: its ramp test with pulsating DC has the same window.
struct TripWindow {
    double low;
    double high;
};

std::optional<TripWindow> tripWindowOf(const std::string& type, double ratedCurrent) {
    if (type == "AC") {
        return TripWindow{0.5, 1.0};
    }
    if (type == "A" || type == "F") {
        return ratedCurrent > 10 ? TripWindow{0.35, 1.4} : TripWindow{0.35, 2.0};
    }
    if (type == "B") {
        return TripWindow{0.5, 2.0};
    }
    return std::nullopt;
}

// The type as the note or else the bank's details give it, in capitals.
std::string rcdTypeOf(const RcdNote& note, const BankDetails& bank) {
    return note.type.empty() ? readRcdType(bank.rcdType) : note.type;
}

}  // namespace

Verdict rcdTime(const RuleInput& input) {
    if (isSelective(input.bank)) {
        return judged(input.item, between(0.13, 0.5, milliseconds), "rcd-time-selective");
    }
    return judged(input.item, atMost(0.3, milliseconds), "rcd-time");
}

Verdict rcdTimeFiveTimes(const RuleInput& input) {
    if (isSelective(input.bank)) {
        return judged(input.item, between(0.05, 0.15, milliseconds), "rcd-time-5x-selective");
    }
    return judged(input.item, atMost(0.04, milliseconds), "rcd-time-5x");
}

// IΔn and the type the instrument tested with come from the note where it holds them; the
// note beats the bank's details, which describe the device rather than the test.
Verdict rcdCurrent(const RuleInput& input) {
    const char* rule = "rcd-current";
    const RcdNote note = readRcdNote(input.item.noteOrEmpty());
    const std::optional<double> ratedCurrent =
        note.ratedCurrent ? note.ratedCurrent : input.bank.rcdCurrent;
    if (!isPositive(ratedCurrent)) {
        return lacking(rule, "bank.rcdCurrent");
    }
    const auto window = tripWindowOf(rcdTypeOf(note, input.bank), *ratedCurrent);
    if (!window) {
        return lacking(rule, "bank.rcdType");
    }
    const double ampere = *ratedCurrent * 1e-3;
    return judged(input.item, between(window->low * ampere, window->high * ampere, milliamperes),
                  rule);
}

}  // namespace kadenza
