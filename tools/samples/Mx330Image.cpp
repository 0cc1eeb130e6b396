#include "samples/Mx330Image.h"

#include <initializer_list>

namespace kadenza::samples {

void Mx330Image::frequency(int k, int hertz) {
    setWord(firstTable + 2 * k, hertz);
}

void Mx330Image::distance(int k, int count) {
    setWord(secondTable + 2 * k, count);
}

void Mx330Image::beepLimit(int count) {
    setWord(generalBlock + 4, count);
}

namespace {

// Kind codes of the Mx330: earth resistance in groups of four ranges (0.01, 0.1, 1 and 10 Ohm
// a count), one group per method; resistivity has the same four ranges.
constexpr int threeWire = 0;
constexpr int fourWire = 4;
constexpr int twoClamps = 8;
constexpr int threeWireSelective = 12;
constexpr int fourWireSelective = 16;
constexpr int resistivity = 23;
constexpr int interferenceVoltage = 20;
constexpr int alternatingVoltage = 28;
constexpr int currentTenthMilliamperes = 32;
constexpr int currentMilliamperes = 33;
constexpr int currentTensOfMilliamperes = 34;
constexpr int protectiveConductor = 35;
constexpr int overRange = 2000;

}  // namespace

MemoryImage mx330Sample() {
    Mx330Image image;

    // Bank 1, the building's earth electrode, with the voltages on it before the test.
    image.append(1, interferenceVoltage, 12);
    image.append(1, alternatingVoltage, 34);
    image.append(1, fourWire + 1, 125);
    image.append(1, threeWire + 1, 128);

    // Bank 2, the rods of the lightning protection, one of them disconnected.
    image.appendRanges(2, threeWire, {87, 156, 42, overRange});
    image.appendRanges(2, fourWire, {92, 217, 24, 135});

    // Bank 3, rods measured without disconnecting them: selective, and with two clamps; the
    // current in the down conductor and the bonding of the milking parlour.
    image.appendRanges(3, threeWireSelective, {465, 183, 96, 42});
    image.appendRanges(3, fourWireSelective, {512, 217, 88, 35});
    image.appendRanges(3, twoClamps, {345, 1234, 87, 21});
    image.append(3, currentTenthMilliamperes, 1999);
    image.append(3, currentMilliamperes, 245);
    image.append(3, currentTensOfMilliamperes, 152);
    image.append(3, protectiveConductor, 45);

    // Bank 5, the soil resistivity survey for a new electrode; rock under the last spacing.
    image.appendRanges(5, resistivity, {1890, 1250, 480, 2100});

    image.powerOffTime(30000);
    image.backlightOffTime(1500);
    image.beepLimit(200);
    const int hertz[] = {128, 140, 94, 111};
    const int distances[] = {50, 100, 150, 200, 250, 300};
    for (int k = 0; k < 15; ++k) {
        image.frequency(k, k < 4 ? hertz[k] : 0);
        image.distance(k, k < 6 ? distances[k] : 0);
    }
    // The general block's bytes after the beep limit are kept at 0.
    for (int position = 8134; position < 8158; ++position) {
        image.setByte(position, 0);
    }
    image.sealSetup();
    return image;
}

}  // namespace kadenza::samples
