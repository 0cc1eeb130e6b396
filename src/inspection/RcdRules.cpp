#include "inspection/RcdRules.h"

#include <string>
#include <vector>

#include "inspection/CircuitDetails.h"
#include "inspection/ItemNote.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

// The tripping times at one and at five times IΔn of a general and of a selective RCD.
struct TimeLimits {
    Limit general;
    const char* generalRule;
    Limit selective;
    const char* selectiveRule;
    // The rule of a verdict that holds for both kinds.
    const char* eitherRule;
};

const TimeLimits timeAtRatedCurrent{atMost(0.3, milliseconds), "rcd-time",
                                    between(0.13, 0.5, milliseconds), "rcd-time-selective",
                                    "rcd-time-any"};
const TimeLimits timeAtFiveTimes{atMost(0.04, milliseconds), "rcd-time-5x",
                                 between(0.05, 0.15, milliseconds), "rcd-time-5x-selective",
                                 "rcd-time-5x-any"};

// Judged as the RCD the details describe; when they do not say whether it is selective, the
// verdict stands only where both kinds agree.
Verdict judgedTime(const RuleInput& input, const TimeLimits& limits) {
    const Verdict general = judged(input.item, limits.general, limits.generalRule);
    const Verdict selective = judged(input.item, limits.selective, limits.selectiveRule);
    if (!input.bank.rcdSelective) {
        return agreed({general, selective}, limits.eitherRule, "bank.rcdSelective");
    }
    return *input.bank.rcdSelective ? selective : general;
}

// The window the tripping current must fall in, as multiples of IΔn, by the waveform of the
// test: a sine ("AC"), pulsating DC ("A"; a type F RCD's test uses it too) or smooth DC ("B").
struct TripWindow {
    double low;
    double high;
};

TripWindow tripWindowOf(const std::string& waveform, double ratedCurrent) {
    if (waveform == "AC") {
        return {0.5, 1.0};
    }
    if (waveform == "B") {
        return {0.5, 2.0};
    }
    return ratedCurrent > 10 ? TripWindow{0.35, 1.4} : TripWindow{0.35, 2.0};
}

Verdict judgedCurrent(const InstrumentItem& item, const std::string& waveform,
                      double ratedCurrent) {
    const TripWindow window = tripWindowOf(waveform, ratedCurrent);
    const double ampere = ratedCurrent * 1e-3;
    return judged(item, between(window.low * ampere, window.high * ampere, milliamperes),
                  "rcd-current");
}

// The waveforms an RCD of the type may have been tested with: a type AC RCD with a sine only,
// a type A or F one with pulsating DC as well, a type B one (or one of no known type) with
// smooth DC too.
std::vector<std::string> possibleWaveforms(const std::string& type) {
    if (type == "AC") {
        return {"AC"};
    }
    if (type == "A" || type == "F") {
        return {"AC", "A"};
    }
    return {"AC", "A", "B"};
}

}  // namespace

Verdict rcdTime(const RuleInput& input) {
    return judgedTime(input, timeAtRatedCurrent);
}

Verdict rcdTimeFiveTimes(const RuleInput& input) {
    return judgedTime(input, timeAtFiveTimes);
}

// IΔn and the waveform the instrument tested with come from the note where it holds them; the
// note beats the bank's details, which describe the device rather than the test. Without the
// waveform the verdict stands only where the windows of every waveform the device's type
// allows agree.
Verdict rcdCurrent(const RuleInput& input) {
    const char* rule = "rcd-current";
    const RcdNote note = readRcdNote(input.item.noteOrEmpty());
    const std::optional<double> ratedCurrent =
        note.ratedCurrent ? note.ratedCurrent : readRatedResidualCurrent(input.bank.rcdCurrent);
    if (!ratedCurrent) {
        return lacking(rule, "bank.rcdCurrent");
    }
    if (!note.type.empty()) {
        return judgedCurrent(input.item, note.type, *ratedCurrent);
    }
    std::vector<Verdict> candidates;
    for (const std::string& waveform : possibleWaveforms(readRcdType(input.bank.rcdType))) {
        candidates.push_back(judgedCurrent(input.item, waveform, *ratedCurrent));
    }
    return agreed(candidates, rule, "test.waveform");
}

}  // namespace kadenza
