#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The memory of an Mx350: 1000 record slots, four to a 32-byte block. A block starts with
// the bank bytes of its four slots (bank number - 1, 0xFF for an empty slot), then holds
// their records of 7 bytes: the record kind and the counts A, B and C, low byte first.
class Mx350Image : public MemoryImage {
  public:
    // Record kinds, by what they hold; the step of each count follows the name.
    enum Kind : int {
        voltageAndFrequency = 0,  // U in A, f in C
        mainsVoltages = 1,        // U_LN, U_LPE, U
        mainsVoltagesAlternate = 2,
        loopCentiOhmAmp = 3,  // Z_S in A, I_K in B
        loopCentiOhmDeciAmp = 4,
        loopDeciOhmAmp = 5,
        loopDeciOhmDeciAmp = 6,
        loopOhmAmp = 7,
        loopOhmDeciAmp = 8,
        lineImpedanceCentiOhmAmp = 9,  // Z_I in A, I_K in B
        loopDashCentiOhmAmp = 10,      // Z_S noted "-", I_K in B
        loopDashCentiOhmDeciAmp = 11,
        conductorLowCurrent = 12,   // R_PE noted "I<200mA"
        conductorHighCurrent = 13,  // R_PE noted "I>200mA"
        insulationKiloOhm = 14,
        insulationTenKiloOhm = 15,
        touchVoltageDeciOhm = 16,  // RCD kinds 16 to 27: C is a rated-current code
        touchVoltageOhm = 17,
        tripTimeAcPlus = 18,  // trip time in A, U_IΔN in B
        tripTimeAcMinus = 19,
        tripTimeAPlus = 20,
        tripTimeAMinus = 21,
        tripCurrentAcTenthMilliAmp = 22,  // I_Δ in A, ΔU in B
        tripCurrentAcMilliAmp = 23,
        tripCurrentAPlusTenthMilliAmp = 24,
        tripCurrentAMinusMilliAmp = 25,
        tripCurrentAPlusTenthMilliAmpAlternate = 26,
        tripCurrentAMinusMilliAmpAlternate = 27,
    };

    // Codes of count C naming the rated residual current of an RCD test, and whether the
    // test ran at five times that current.
    enum RatedCurrent : int {
        rated100mA = 1004,
        rated100mAFiveTimes = 1007,
        rated10mAFiveTimes = 1067,
        rated300mA = 3004,
        rated30mAFiveTimes = 3067,
        rated500mA = 5004,
        rated10mA = 6104,
        rated30mA = 6304,
    };

    // Record `slot` (0 to 999) of bank `bank` (1 to 255).
    Mx350Image& record(int slot, int bank, int kind, int a, int b, int c);
    // An RCD record (kinds 16 to 27): count C carries the rated-current code.
    Mx350Image& rcdRecord(int slot, int bank, int kind, RatedCurrent rated, int a, int b);
};

// The sample memory of an Mx350.
MemoryImage mx350Sample();

}  // namespace kadenza::samples
