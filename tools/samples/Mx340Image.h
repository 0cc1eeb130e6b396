#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// An Mx340 memory being built record by record. A record is 8 bytes at slot x 8 (slots 0 to
// 999): type byte, count A and count B (signed words, low byte first), a range byte for
// each count and a spare byte. A record-number record opens an appliance's test; the
// measurement records after it belong to that appliance.
class Mx340Image : public MemoryImage {
  public:
    static constexpr int slots = 1000;
    static constexpr int recordSize = 8;

    // Type bytes of the records the instrument writes.
    enum Type {
        mainsVoltageType = 1,
        currentType = 2,
        insulationType = 3,
        protectiveResistanceType = 4,
        activePowerType = 5,
        apparentPowerType = 6,
        temperatureType = 8,
        speedType = 9,
        protectiveCurrentType = 10,
        touchCurrentType = 11,
        substitutedLeakageType = 12,
        differentialLeakageType = 13,
        protectiveResistanceAndVoltageType = 14,
        recordNumberType = 15,
        frequencyType = 16,
        powerFactorType = 17,
        protectiveVoltageType = 18,
        insulationVoltageType = 19,
        touchVoltageType = 20,
    };

    // Range bytes of an insulation count: one count is 100 kOhm, 10 kOhm or 1 kOhm.
    enum InsulationRange { hundredKiloohms = 2, tenKiloohms = 3, kiloohms = 4 };
    // Range bytes of a protective-conductor resistance count: 1 mOhm, or 10 mOhm.
    enum ResistanceRange { milliohms = 4, tenMilliohms = 2 };

    // Any record, byte by byte.
    void record(int slot, int type, int countA, int countB, int rangeA = 0, int rangeB = 0);

    // The number is stored as count B x 10000 + count A.
    void recordNumber(int slot, int number);

    void mainsVoltage(int slot, int decivolts, int decihertz);
    void current(int slot, int centiamperes, int decihertz);
    void insulation(int slot, InsulationRange range, int count, int testVolts);
    void protectiveResistance(int slot, ResistanceRange range, int count);
    void activePower(int slot, int watts, int powerFactorHundredths);
    void apparentPower(int slot, int voltamperes, int powerFactorHundredths);
    void temperature(int slot, int decidegrees);
    void speed(int slot, int revolutionsPerMinute);
    // Leakage currents count in steps of 10 uA.
    void protectiveCurrent(int slot, int count);
    void touchCurrent(int slot, int microamperes, int touchMillivolts);
    void substitutedLeakage(int slot, int count);
    void differentialLeakage(int slot, int count);
    void protectiveResistanceAndVoltage(int slot, int milliohms, int centivolts);
    void frequency(int slot, int decihertz);
    void powerFactor(int slot, int hundredths);
    void protectiveVoltage(int slot, int centivolts);
    void insulationVoltage(int slot, int volts);
    void touchVoltage(int slot, int millivolts);
};

// The memory of an Mx340 after a morning of appliance tests: an extension lead, a kettle, a
// drill, a washing machine and a fan heater whose earth is broken.
MemoryImage mx340Sample();

}  // namespace kadenza::samples
