#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The memory of an Mx320: 1020 records of 8 bytes from byte 0, each a bank byte (bank number
// - 1, 0xFF for an empty record), a type byte (record kind in bits 0 to 4, range selector in
// bits 6 and 7) and the counts A, B and C, low byte first.
class Mx320Image : public MemoryImage {
  public:
    static constexpr int recordSize = 8;

    // Record kinds, by the reading in count A.
    enum Kind : int {
        mains = 0,  // U_LN; B by range (U_LPE, U_LN, f or Z_S); C the frequency
        protectiveVoltage = 1,
        lineVoltage = 2,
        frequency = 3,
        loopCentiOhm = 4,  // loop kinds: I_K in B, its step chosen by the range
        loopDeciOhm = 5,
        loopOhm = 6,
        loopCentiOhmAlternate = 7,
        conductorTestCurrent = 8,
        touchVoltage = 9,  // RCD kinds 9 to 16: C names the rated current
        tripCurrentMicroAmp = 10,
        tripCurrentMicroAmpAlternate = 11,
        tripCurrentTenthMicroAmp = 12,
        tripCurrentTenthMicroAmpAlternate = 13,
        tripTime = 14,
        tripTimeAlternate = 15,
        tripTimeFiveTimes = 16,
        shortCircuitAmp = 20,
        shortCircuitDeciAmp = 21,
        shortCircuitCentiAmp = 22,
        shortCircuitMilliAmp = 23,
        conductorResistance = 24,
    };

    // Rated residual currents, as count C of an RCD record names them.
    enum RatedCurrent : int {
        rated6mA = 0,
        rated10mA = 1,
        rated30mA = 2,
        rated100mA = 3,
        rated300mA = 4,
        rated500mA = 5,
    };

    // Record `slot` (0 to 1019) of bank `bank` (1 to 255).
    Mx320Image& record(int slot, int bank, int kind, int range, int a, int b, int c);
    // An RCD record (kinds 9 to 16): count C carries the rated current.
    Mx320Image& rcdRecord(int slot, int bank, int kind, RatedCurrent rated, int a, int b);
};

// The sample memory of an Mx320.
MemoryImage mx320Sample();

}  // namespace kadenza::samples
