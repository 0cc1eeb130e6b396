#include "samples/Mx320Image.h"

namespace kadenza::samples {

Mx320Image& Mx320Image::record(int slot, int bank, int kind, int range, int a, int b, int c) {
    const int position = slot * recordSize;
    setByte(position, bank - 1);
    setByte(position + 1, (kind & 0x1F) | (range & 3) << 6);
    setWord(position + 2, a);
    setWord(position + 4, b);
    setWord(position + 6, c);
    return *this;
}

Mx320Image& Mx320Image::rcdRecord(int slot, int bank, int kind, RatedCurrent rated, int a, int b) {
    return record(slot, bank, kind, 0, a, b, rated);
}

// A morning's inspection of a small workshop: the incoming supply and the main board in
// bank 1, the socket circuits behind a 30 mA RCD in bank 2, the machine circuits behind
// 100 mA and 300 mA RCDs in bank 3, the outbuilding's sub-board in bank 5. Back at the main
// board, two more readings went to bank 1 at the end.
MemoryImage mx320Sample() {
    using Image = Mx320Image;
    Image image;
    int slot = 0;
    // Ranges of count B: for mains 0 = U_LPE, 2 = f; for the loop kinds 0 = 1 A steps,
    // 1 = 0.1 A steps.
    image.record(slot++, 1, Image::mains, 0, 231, 229, 500);
    image.record(slot++, 1, Image::mains, 2, 232, 499, 500);
    image.record(slot++, 1, Image::protectiveVoltage, 0, 229, 231, 230);
    image.record(slot++, 1, Image::lineVoltage, 0, 398, 230, 231);
    image.record(slot++, 1, Image::frequency, 0, 501, 231, 230);
    image.record(slot++, 1, Image::loopCentiOhm, 0, 24, 958, 230);
    image.record(slot++, 1, Image::shortCircuitAmp, 0, 958, 230, 230);
    // The main board's loop is too stiff for the 0.1 A steps: I_K over range.
    image.record(slot++, 1, Image::loopCentiOhm, 1, 24, 9580, 230);

    image.record(slot++, 2, Image::loopDeciOhm, 1, 12, 1917, 229);
    image.record(slot++, 2, Image::loopCentiOhmAlternate, 0, 87, 264, 230);
    image.rcdRecord(slot++, 2, Image::touchVoltage, Image::rated30mA, 14, 470);
    image.rcdRecord(slot++, 2, Image::tripCurrentMicroAmp, Image::rated30mA, 1850, 14);
    image.rcdRecord(slot++, 2, Image::tripCurrentTenthMicroAmp, Image::rated30mA, 1230, 14);
    image.rcdRecord(slot++, 2, Image::tripTime, Image::rated30mA, 24, 14);
    image.rcdRecord(slot++, 2, Image::tripTimeAlternate, Image::rated30mA, 38, 14);
    image.rcdRecord(slot++, 2, Image::tripTimeFiveTimes, Image::rated30mA, 15, 14);
    image.record(slot++, 2, Image::shortCircuitDeciAmp, 0, 1917, 229, 229);

    image.record(slot++, 3, Image::loopOhm, 0, 2, 115, 230);
    image.rcdRecord(slot++, 3, Image::touchVoltage, Image::rated100mA, 31, 310);
    image.rcdRecord(slot++, 3, Image::tripCurrentMicroAmpAlternate, Image::rated100mA, 1620, 31);
    image.rcdRecord(slot++, 3, Image::tripTime, Image::rated100mA, 41, 31);
    image.rcdRecord(slot++, 3, Image::tripCurrentTenthMicroAmpAlternate, Image::rated300mA, 1770,
                    45);
    image.rcdRecord(slot++, 3, Image::tripTimeAlternate, Image::rated300mA, 62, 45);
    image.record(slot++, 3, Image::conductorResistance, 0, 35, 212, 0);
    image.record(slot++, 3, Image::conductorTestCurrent, 0, 212, 230, 0);

    image.record(slot++, 5, Image::loopDeciOhm, 1, 19, 1210, 228);
    image.record(slot++, 5, Image::shortCircuitCentiAmp, 0, 1530, 228, 228);
    // Measured in the wrong range: the fault current overflows the 1 mA steps.
    image.record(slot++, 5, Image::shortCircuitMilliAmp, 0, 2400, 228, 228);
    image.rcdRecord(slot++, 5, Image::tripTime, Image::rated500mA, 55, 38);
    image.rcdRecord(slot++, 5, Image::tripTimeFiveTimes, Image::rated6mA, 18, 2);
    image.rcdRecord(slot++, 5, Image::touchVoltage, Image::rated10mA, 6, 21);

    image.record(slot++, 1, Image::loopOhm, 0, 1, 230, 230);
    image.record(slot++, 1, Image::conductorResistance, 0, 12, 215, 0);
    return image;
}

}  // namespace kadenza::samples
