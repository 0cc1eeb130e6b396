#pragma once

#include <optional>
#include <string>

namespace kadenza {

// The meaning of the circuit details a user typed into a bank's details. The details'
// document checks what a user types with these same readers, so that what it accepts is what
// the verdicts read.

enum class Earthing { unknown, tn, tt, it };

// "TN" (also "TN-C", "TN-S", "TN-C-S"), "TT" or "IT", in any case; anything else is unknown.
Earthing readEarthing(const std::string& text);

// A circuit breaker: its rated current In and the multiple of In that trips it magnetically,
// 5 for characteristic B, 10 for C, 20 for D.
struct ProtectiveDevice {
    char characteristic;
    double ratedCurrent;
    int tripMultiple;
};

// "B16", "c32", "D6A", "B1,6": the characteristic, then a rated current in amperes above
// zero. None for anything else.
std::optional<ProtectiveDevice> readDevice(const std::string& text);

// The nominal voltage in volts when the text is one ("230", "400 V", "120,5"); none for
// "SELV", "PELV", an empty or any other text.
std::optional<double> readNominalVolts(const std::string& text);

// Whether the circuit is a SELV or PELV one.
bool isSafetyExtraLowVoltage(const std::string& nominalVoltage);

// The rated residual currents of RCDs, in milliamperes.
constexpr double ratedResidualCurrents[] = {6, 10, 30, 100, 300, 500, 1000};

// The RCD's rated residual current in milliamperes when it is one of the rated series; none
// otherwise (0.03 is amperes typed where milliamperes belong).
std::optional<double> readRatedResidualCurrent(const std::optional<double>& milliamperes);

}  // namespace kadenza
