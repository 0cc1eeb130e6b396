#include "samples/Mx310Image.h"

#include <cstdint>
#include <initializer_list>

#include "translators/Fcs16.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::samples {

namespace {

constexpr int slotsPerBlock = 8;
constexpr int recordSize = 3;
constexpr int emptyBankByte = 0xFF;

int blockOf(int slot) {
    return slot / slotsPerBlock * blockSize;
}

}  // namespace

void Mx310LayoutImage::record(int slot, int bank, int kind, int count) {
    const int record = blockOf(slot) + slotsPerBlock + recordSize * (slot % slotsPerBlock);
    setByte(blockOf(slot) + slot % slotsPerBlock, bank - 1);
    setByte(record, kind);
    setWord(record + 1, count);
}

void Mx310LayoutImage::emptySlot(int slot) {
    setByte(blockOf(slot) + slot % slotsPerBlock, emptyBankByte);
}

void Mx310LayoutImage::append(int bank, int kind, int count) {
    record(nextSlot_++, bank, kind, count);
}

void Mx310LayoutImage::appendRanges(int bank, int firstKind, std::initializer_list<int> counts) {
    int kind = firstKind;
    for (const int count : counts) {
        append(bank, kind++, count);
    }
}

void Mx310LayoutImage::skipSlot() {
    emptySlot(nextSlot_++);
}

void Mx310LayoutImage::powerOffTime(int count) {
    setWord(generalBlock, count);
}

void Mx310LayoutImage::backlightOffTime(int count) {
    setWord(generalBlock + 2, count);
}

void Mx310LayoutImage::sealSetup() {
    constexpr int sealed = blockSize - 2;
    for (const int block : {firstTable, secondTable, generalBlock}) {
        const std::uint16_t check = ~fcs16(bytes().data() + block, sealed);
        setWord(block + sealed, check);
    }
}

void Mx310Image::copperSection(int k, int count) {
    setWord(firstTable + 2 * k, count);
}

void Mx310Image::aluminiumSection(int k, int count) {
    setWord(secondTable + 2 * k, count);
}

namespace {

// Kind codes of the Mx310.2: insulation groups of five ranges (1 kOhm to 10 MOhm a count)
// start at 0, 8, 16, 24 and 32 for 50, 100, 250, 500 and 1000 V.
constexpr int insulation50V = 0;
constexpr int insulation100V = 8;
constexpr int insulation250V = 16;
constexpr int insulation500V = 24;
constexpr int insulation1000V = 32;
constexpr int pt100 = 5;
constexpr int voltageTenths = 6;
constexpr int voltageVolts = 7;
constexpr int protectiveHundredths = 13;
constexpr int protectiveTenths = 14;
constexpr int protectiveOhms = 15;
constexpr int temperature = 21;
constexpr int protectionVoltage = 23;
constexpr int lineVoltageTenths = 29;
constexpr int lineVoltageVolts = 30;
constexpr int lengthMillimetres = 37;
constexpr int lengthCentimetres = 38;
constexpr int lengthDecimetres = 39;
constexpr int lengthMetres = 40;
constexpr int lengthTensOfMetres = 41;
constexpr int pt1000 = 47;
constexpr int overRange = 2000;

}  // namespace

MemoryImage mx310Sample() {
    Mx310Image image;

    // Bank 1, the main board: supply voltages, the voltage between N and PE, bonding and the
    // incoming cable.
    image.append(1, lineVoltageVolts, 231);
    image.append(1, voltageVolts, 400);
    image.append(1, voltageTenths, 8);
    image.append(1, protectiveHundredths, 18);
    // The main cable at 500 V in the 1 MOhm and 10 MOhm ranges.
    image.append(1, insulation500V + 3, 245);
    image.append(1, insulation500V + 4, overRange);

    // Bank 2, lighting circuits, one with a damp fitting and one with its PE conductor open.
    image.append(2, protectiveHundredths, 45);
    image.append(2, protectiveTenths, 12);
    image.append(2, insulation500V + 0, 1850);
    image.append(2, insulation500V + 1, 920);
    image.append(2, insulation500V + 2, 1460);
    image.append(2, protectiveOhms, 2150);

    // Bank 3, socket circuits: the 110 V tool supply, cable lengths from the conductor
    // resistance, 250 V insulation.
    image.append(3, lineVoltageTenths, 1103);
    image.append(3, lengthMillimetres, 850);
    image.append(3, lengthCentimetres, 1245);
    image.append(3, lengthDecimetres, 356);
    image.append(3, lengthMetres, 148);
    image.append(3, lengthTensOfMetres, 12);
    image.appendRanges(3, insulation250V, {1320, 560, 785, 310, 125});

    // A record deleted on the instrument leaves its slot empty.
    image.skipSlot();

    // Bank 4, the boiler room: probe temperatures and the 100 V test of the control wiring.
    image.append(4, pt100, 23);
    image.append(4, pt1000, 65);
    image.append(4, temperature, 18);
    image.appendRanges(4, insulation100V, {1750, 1120, 640, 880, 310});

    // Bank 5, the compressor motor at 1000 V, with the test voltage the instrument measured.
    image.append(5, protectionVoltage, 1043);
    image.appendRanges(5, insulation1000V, {1900, 1480, 950, 420, 250});

    // Bank 7, the alarm system's wiring at 50 V.
    image.appendRanges(7, insulation50V, {1520, 845, 312, 156, overRange});

    // Back at the main board: the supply measured again after the work.
    image.append(1, lineVoltageVolts, 229);

    image.powerOffTime(15000);
    image.backlightOffTime(1000);
    const int copper[] = {500, 750, 1000, 1500, 2500, 4000, 6000, 10000};
    const int aluminium[] = {1500, 2500, 4000, 6000, 10000};
    for (int k = 0; k < 15; ++k) {
        image.copperSection(k, k < 8 ? copper[k] : 0);
        image.aluminiumSection(k, k < 5 ? aluminium[k] : 0);
    }
    // The general block's bytes after the two times are kept at 0.
    for (int position = 8132; position < 8158; ++position) {
        image.setByte(position, 0);
    }
    image.sealSetup();
    return image;
}

}  // namespace kadenza::samples
