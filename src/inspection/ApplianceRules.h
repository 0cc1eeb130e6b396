#pragma once

#include "inspection/Rule.h"

namespace kadenza {

// The rules of an appliance's revision, by the appliance's protection class.

// R_PE at most the bank's limit where it gives one, else by the cord's length (class I).
Verdict applianceProtectiveConductor(const RuleInput& input);

// R_ISO at least 1 MΩ (class I), 2 MΩ (II) or 0.25 MΩ (III).
Verdict applianceInsulation(const RuleInput& input);

// I_PE at most 3.5 mA (class I).
Verdict appliancePeCurrent(const RuleInput& input);

// I_F at most 0.5 mA (classes I and II).
Verdict applianceTouchCurrent(const RuleInput& input);

// I_D at most 3.5 mA (class I) or 0.5 mA (II).
Verdict applianceSubstituteLeakage(const RuleInput& input);

// I_Δ at most 3.5 mA (class I) or 0.5 mA (II).
Verdict applianceDifferentialLeakage(const RuleInput& input);

}  // namespace kadenza
