#include "samples/Mx340Image.h"

namespace kadenza::samples {

void Mx340Image::record(int slot, int type, int countA, int countB, int rangeA, int rangeB) {
    const int position = slot * recordSize;
    setByte(position, type);
    setWord(position + 1, countA);
    setWord(position + 3, countB);
    setByte(position + 5, rangeA);
    setByte(position + 6, rangeB);
    setByte(position + 7, 0);
}

void Mx340Image::recordNumber(int slot, int number) {
    record(slot, recordNumberType, number % 10000, number / 10000);
}

void Mx340Image::mainsVoltage(int slot, int decivolts, int decihertz) {
    record(slot, mainsVoltageType, decivolts, decihertz);
}

void Mx340Image::current(int slot, int centiamperes, int decihertz) {
    record(slot, currentType, centiamperes, decihertz);
}

void Mx340Image::insulation(int slot, InsulationRange range, int count, int testVolts) {
    record(slot, insulationType, count, testVolts, range);
}

void Mx340Image::protectiveResistance(int slot, ResistanceRange range, int count) {
    record(slot, protectiveResistanceType, count, 0, range);
}

void Mx340Image::activePower(int slot, int watts, int powerFactorHundredths) {
    record(slot, activePowerType, watts, powerFactorHundredths);
}

void Mx340Image::apparentPower(int slot, int voltamperes, int powerFactorHundredths) {
    record(slot, apparentPowerType, voltamperes, powerFactorHundredths);
}

void Mx340Image::temperature(int slot, int decidegrees) {
    record(slot, temperatureType, decidegrees, 0);
}

void Mx340Image::speed(int slot, int revolutionsPerMinute) {
    record(slot, speedType, 0, revolutionsPerMinute);
}

void Mx340Image::protectiveCurrent(int slot, int count) {
    record(slot, protectiveCurrentType, 0, count);
}

void Mx340Image::touchCurrent(int slot, int microamperes, int touchMillivolts) {
    record(slot, touchCurrentType, touchMillivolts, microamperes);
}

void Mx340Image::substitutedLeakage(int slot, int count) {
    record(slot, substitutedLeakageType, count, 0);
}

void Mx340Image::differentialLeakage(int slot, int count) {
    record(slot, differentialLeakageType, count, 0);
}

void Mx340Image::protectiveResistanceAndVoltage(int slot, int milliohms, int centivolts) {
    record(slot, protectiveResistanceAndVoltageType, milliohms, centivolts);
}

void Mx340Image::frequency(int slot, int decihertz) {
    record(slot, frequencyType, decihertz, 0);
}

void Mx340Image::powerFactor(int slot, int hundredths) {
    record(slot, powerFactorType, hundredths, 0);
}

void Mx340Image::protectiveVoltage(int slot, int centivolts) {
    record(slot, protectiveVoltageType, centivolts, 0);
}

void Mx340Image::insulationVoltage(int slot, int volts) {
    record(slot, insulationVoltageType, volts, 0);
}

void Mx340Image::touchVoltage(int slot, int millivolts) {
    record(slot, touchVoltageType, millivolts, 0);
}

namespace {

// Class I, 10 m: low earth resistance, insulation beyond the 400 MOhm range.
int extensionLead(Mx340Image& image, int slot) {
    image.recordNumber(slot++, 1);
    image.protectiveResistance(slot++, Mx340Image::milliohms, 210);
    image.insulation(slot++, Mx340Image::hundredKiloohms, 4500, 500);
    image.substitutedLeakage(slot++, 2);
    return slot;
}

// Class I, 2 kW, earth tested at 10 A, then run on the mains.
int kettle(Mx340Image& image, int slot) {
    image.recordNumber(slot++, 2);
    image.protectiveResistanceAndVoltage(slot++, 85, 85);
    image.insulation(slot++, Mx340Image::tenKiloohms, 1850, 500);
    image.mainsVoltage(slot++, 2304, 500);
    image.current(slot++, 868, 500);
    image.activePower(slot++, 1995, 100);
    image.apparentPower(slot++, 1998, 100);
    image.protectiveCurrent(slot++, 42);
    image.differentialLeakage(slot++, 38);
    return slot;
}

// Class II, no earth: touch current instead, then a run on the mains.
int drill(Mx340Image& image, int slot) {
    image.recordNumber(slot++, 3);
    image.insulation(slot++, Mx340Image::hundredKiloohms, 1200, 500);
    image.touchCurrent(slot++, 85, 42);
    image.mainsVoltage(slot++, 2298, 500);
    image.current(slot++, 315, 499);
    image.activePower(slot++, 598, 83);
    image.apparentPower(slot++, 720, 83);
    image.speed(slot++, 2850);
    image.temperature(slot++, 412);
    return slot;
}

// Class I with a heating element, read with single-value records: the earth resistance and
// its test voltage, the insulation test voltage, frequency and power factor each on their own.
int washingMachine(Mx340Image& image, int slot) {
    image.recordNumber(slot++, 5);
    image.protectiveResistance(slot++, Mx340Image::milliohms, 145);
    image.protectiveVoltage(slot++, 145);
    image.insulationVoltage(slot++, 500);
    image.insulation(slot++, Mx340Image::tenKiloohms, 850, 500);
    image.frequency(slot++, 500);
    image.powerFactor(slot++, 72);
    image.substitutedLeakage(slot++, 95);
    return slot;
}

// Tagged 20417 by the site's numbering: the earth is broken beyond the 20 Ohm range and the
// damp element leaves the insulation just under 1 MOhm.
int fanHeater(Mx340Image& image, int slot) {
    image.recordNumber(slot++, 20417);
    image.protectiveResistance(slot++, Mx340Image::tenMilliohms, 2500);
    image.insulation(slot++, Mx340Image::kiloohms, 920, 500);
    image.touchVoltage(slot++, 1250);
    image.temperature(slot++, 655);
    return slot;
}

}  // namespace

MemoryImage mx340Sample() {
    Mx340Image image;
    int slot = 0;
    slot = extensionLead(image, slot);
    slot = kettle(image, slot);
    slot = drill(image, slot);
    slot = washingMachine(image, slot);
    fanHeater(image, slot);
    return image;
}

}  // namespace kadenza::samples
