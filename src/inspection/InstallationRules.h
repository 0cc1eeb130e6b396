#pragma once

#include "inspection/Rule.h"

namespace kadenza {

// The rules of an installation's inspection, other than those of its RCDs.

// R_ISO at least the minimum of the insulation table for the test voltage and the edition.
Verdict installationInsulation(const RuleInput& input);

// U_IΔN and ΔU at most U_L.
Verdict touchVoltage(const RuleInput& input);

// R_A of a TT system at most U_L / IΔn.
Verdict earthResistance(const RuleInput& input);

// Z_S of a TN system at most the loop impedance that trips the circuit's breaker in time.
Verdict loopImpedance(const RuleInput& input);

// R_PE at most the limit the circuit's details give.
Verdict protectiveConductor(const RuleInput& input);

}  // namespace kadenza
