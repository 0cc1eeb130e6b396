#pragma once

#include "inspection/Rule.h"

namespace kadenza {

// The rules of an RCD's tests. Their limits are maximums or windows, so a reading over range
// fails them: the RCD did not trip within the instrument's window.

// t_A at IΔn: at most 300 ms, or 130 … 500 ms for a selective RCD.
Verdict rcdTime(const RuleInput& input);

// t_A 5X at 5 × IΔn: at most 40 ms, or 50 … 150 ms for a selective RCD.
Verdict rcdTimeFiveTimes(const RuleInput& input);

// I_Δ of a ramp test within the window of the test's waveform around IΔn.
Verdict rcdCurrent(const RuleInput& input);

}  // namespace kadenza
