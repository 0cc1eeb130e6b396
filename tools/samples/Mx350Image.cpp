#include "samples/Mx350Image.h"

#include "translators/InstrumentTranslator.h"

namespace kadenza::samples {

namespace {

constexpr int slotsPerBlock = 4;
constexpr int recordSize = 7;

}  // namespace

Mx350Image& Mx350Image::record(int slot, int bank, int kind, int a, int b, int c) {
    const int block = blockSize * (slot / slotsPerBlock);
    const int position = block + slotsPerBlock + recordSize * (slot % slotsPerBlock);
    setByte(block + slot % slotsPerBlock, bank - 1);
    setByte(position, kind);
    setWord(position + 1, a);
    setWord(position + 3, b);
    setWord(position + 5, c);
    return *this;
}

Mx350Image& Mx350Image::rcdRecord(int slot, int bank, int kind, RatedCurrent rated, int a, int b) {
    return record(slot, bank, kind, a, b, rated);
}

// An inspection of a small workshop: the supply and the main board in bank 1, the socket
// circuits behind a 30 mA RCD in bank 2, the machines behind 100 mA, 300 mA and 500 mA RCDs
// in bank 3, the washroom's sub-board behind a 10 mA RCD in bank 5.
MemoryImage mx350Sample() {
    using Image = Mx350Image;
    Image image;
    int slot = 0;
    // Count C of the voltage kinds is a reading: whole hertz, or the line-to-line voltage.
    image.record(slot++, 1, Image::voltageAndFrequency, 231, 0, 50);
    image.record(slot++, 1, Image::mainsVoltages, 230, 229, 399);
    image.record(slot++, 1, Image::mainsVoltagesAlternate, 232, 231, 401);
    image.record(slot++, 1, Image::loopCentiOhmAmp, 24, 958, 0);
    image.record(slot++, 1, Image::loopCentiOhmDeciAmp, 87, 2644, 0);
    image.record(slot++, 1, Image::lineImpedanceCentiOhmAmp, 19, 1210, 0);
    image.record(slot++, 1, Image::conductorLowCurrent, 12, 0, 0);
    image.record(slot++, 1, Image::conductorHighCurrent, 9, 0, 0);
    image.record(slot++, 1, Image::insulationKiloOhm, 4800, 0, 0);
    // New cable: beyond the top of the insulation range.
    image.record(slot++, 1, Image::insulationTenKiloOhm, 12000, 0, 0);

    image.record(slot++, 2, Image::loopDeciOhmAmp, 12, 192, 0);
    image.record(slot++, 2, Image::loopDeciOhmDeciAmp, 15, 1533, 0);
    image.record(slot++, 2, Image::loopDashCentiOhmAmp, 131, 176, 0);
    image.record(slot++, 2, Image::loopDashCentiOhmDeciAmp, 142, 1620, 0);
    image.rcdRecord(slot++, 2, Image::touchVoltageDeciOhm, Image::rated30mA, 14, 470);
    image.rcdRecord(slot++, 2, Image::tripTimeAcPlus, Image::rated30mA, 24, 14);
    image.rcdRecord(slot++, 2, Image::tripTimeAcMinus, Image::rated30mA, 31, 14);
    image.rcdRecord(slot++, 2, Image::tripTimeAPlus, Image::rated30mAFiveTimes, 15, 14);
    image.rcdRecord(slot++, 2, Image::tripTimeAMinus, Image::rated30mAFiveTimes, 17, 14);
    image.rcdRecord(slot++, 2, Image::tripCurrentAcTenthMilliAmp, Image::rated30mA, 219, 10);
    image.rcdRecord(slot++, 2, Image::tripCurrentAPlusTenthMilliAmp, Image::rated30mA, 246, 11);
    image.rcdRecord(slot++, 2, Image::tripCurrentAPlusTenthMilliAmpAlternate, Image::rated30mA, 275,
                    13);

    image.record(slot++, 3, Image::loopOhmAmp, 2, 115, 0);
    image.record(slot++, 3, Image::loopOhmDeciAmp, 1, 2301, 0);
    image.rcdRecord(slot++, 3, Image::touchVoltageOhm, Image::rated100mA, 31, 31);
    image.rcdRecord(slot++, 3, Image::tripTimeAcPlus, Image::rated100mA, 41, 31);
    image.rcdRecord(slot++, 3, Image::tripTimeAcPlus, Image::rated100mAFiveTimes, 19, 31);
    image.rcdRecord(slot++, 3, Image::tripCurrentAcMilliAmp, Image::rated300mA, 198, 45);
    image.rcdRecord(slot++, 3, Image::tripCurrentAMinusMilliAmp, Image::rated300mA, 231, 52);
    // The old 500 mA device did not trip within the test range.
    image.rcdRecord(slot++, 3, Image::tripCurrentAMinusMilliAmpAlternate, Image::rated500mA, 1200,
                    77);

    image.record(slot++, 5, Image::loopCentiOhmAmp, 61, 377, 0);
    image.rcdRecord(slot++, 5, Image::tripTimeAcPlus, Image::rated10mA, 22, 6);
    image.rcdRecord(slot++, 5, Image::tripTimeAcPlus, Image::rated10mAFiveTimes, 12, 6);
    image.rcdRecord(slot++, 5, Image::tripCurrentAcTenthMilliAmp, Image::rated10mA, 72, 4);
    return image;
}

}  // namespace kadenza::samples
