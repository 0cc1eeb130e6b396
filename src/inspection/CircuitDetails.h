#pragma once

#include <optional>
#include <string>

namespace kadenza {

// The meaning of the circuit details a user typed into a bank's details.

enum class Earthing { unknown, tn, tt, it };

// "TN" (also "TN-C", "TN-S", "TN-C-S"), "TT" or "IT", in any case; anything else is unknown.
Earthing readEarthing(const std::string& text);

// A circuit breaker: its rated current In and the multiple of In that trips it magnetically,
// 5 for characteristic B, 10 for C, 20 for D.
struct ProtectiveDevice {
    double ratedCurrent;
    int tripMultiple;
};

// "B16", "c32", "D6A": the characteristic, then a rated current in amperes above zero. None
// for anything else.
std::optional<ProtectiveDevice> readDevice(const std::string& text);

// The nominal voltage in volts when the text is one ("230", "400 V"); none for "SELV",
// "PELV", an empty or any other text.
std::optional<double> readNominalVolts(const std::string& text);

// Whether the circuit is a SELV or PELV one.
bool isSafetyExtraLowVoltage(const std::string& nominalVoltage);

}  // namespace kadenza
