#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kadenza {

// What an RCD test's note says about the device the instrument tested: its rated residual
// current and the waveform it tested with. One model writes "30mA AC +" (the sign is the
// start polarity), "300mA A -", "10mA AC" or, on a touch voltage, "30mA "; another "30 mA".
struct RcdNote {
    // In milliamperes; none when the note does not start with one.
    std::optional<double> ratedCurrent;
    // "AC", "A", "B" or "F", in capitals; empty when the note names none.
    std::string type;
};

// Reads a note of an RCD quantity; any other note ("I<200mA", "-", "PT100") says nothing.
RcdNote readRcdNote(const std::string& note);

// The RCD type a text names ("AC", "a", " F "), in capitals; empty for any other text.
std::string readRcdType(std::string_view text);

// The DC test voltage of an insulation test in volts, from a note "500V"; none for a note that
// is not a voltage.
std::optional<double> readTestVoltage(const std::string& note);

// Whether a protective conductor test's note says its measuring current was below 200 mA, as
// "I<200mA" does.
bool hasLowMeasuringCurrent(const std::string& note);

}  // namespace kadenza
