#include "translators/Mx350Translator.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "translators/InstallationQuantities.h"

namespace kadenza {

namespace {

constexpr int recordCount = 1000;
constexpr int slotsPerBlock = 4;
constexpr int recordSize = 7;

enum class Count { none, a, b, c };
enum class Note { none, fixed, ratedCurrent };

// A trip time is t_A 5X when the rated-current code says the RCD was tested at five times
// its rated current, t_A otherwise.
constexpr int tripTimeByRatedCode = -1;

// How one item of a record is made: from which count, as what quantity, in steps of which
// power of ten, with which note.
struct ItemRule {
    Count count = Count::none;
    int quantity = 0;
    int powerOfTen = 0;
    Note note = Note::none;
    // The fixed note, or the test variant that follows the rated current in the note.
    const char* text = "";
};

using RecordKind = std::array<ItemRule, 3>;

constexpr ItemRule plain(Count count, int quantity, int powerOfTen = 0) {
    return {count, quantity, powerOfTen, Note::none, ""};
}

constexpr ItemRule noted(int quantity, int powerOfTen, const char* note) {
    return {Count::a, quantity, powerOfTen, Note::fixed, note};
}

constexpr ItemRule rated(int quantity, int powerOfTen, const char* variant = "") {
    return {Count::a, quantity, powerOfTen, Note::ratedCurrent, variant};
}

using namespace installation;

// Indexed by record kind; kinds from 28 on and negative kinds hold nothing we know.
constexpr std::array<RecordKind, 28> recordKinds = {{
    // 0: voltage and frequency; 1, 2: mains voltages
    {plain(Count::a, voltage), plain(Count::c, frequency)},
    {plain(Count::a, lineVoltage), plain(Count::b, protectiveVoltage), plain(Count::c, voltage)},
    {plain(Count::a, lineVoltage), plain(Count::b, protectiveVoltage), plain(Count::c, voltage)},
    // 3 to 11: loop or line impedance with the short-circuit current
    {plain(Count::a, loopImpedance, -2), plain(Count::b, shortCircuitCurrent)},
    {plain(Count::a, loopImpedance, -2), plain(Count::b, shortCircuitCurrent, -1)},
    {plain(Count::a, loopImpedance, -1), plain(Count::b, shortCircuitCurrent)},
    {plain(Count::a, loopImpedance, -1), plain(Count::b, shortCircuitCurrent, -1)},
    {plain(Count::a, loopImpedance), plain(Count::b, shortCircuitCurrent)},
    {plain(Count::a, loopImpedance), plain(Count::b, shortCircuitCurrent, -1)},
    {plain(Count::a, lineImpedance, -2), plain(Count::b, shortCircuitCurrent)},
    {noted(loopImpedance, -2, "-"), plain(Count::b, shortCircuitCurrent)},
    {noted(loopImpedance, -2, "-"), plain(Count::b, shortCircuitCurrent, -1)},
    // 12, 13: protective conductor; 14, 15: insulation
    {noted(conductorResistance, -2, "I<200mA")},
    {noted(conductorResistance, -2, "I>200mA")},
    {plain(Count::a, insulationResistance, 3)},
    {plain(Count::a, insulationResistance, 4)},
    // 16 to 27: RCD tests: touch voltage, trip time, trip current
    {rated(touchVoltage, -1), plain(Count::b, loopImpedance, -1)},
    {rated(touchVoltage, -1), plain(Count::b, loopImpedance)},
    {rated(tripTimeByRatedCode, -3, "AC +"), plain(Count::b, touchVoltage, -1)},
    {rated(tripTimeByRatedCode, -3, "AC -"), plain(Count::b, touchVoltage, -1)},
    {rated(tripTimeByRatedCode, -3, "A +"), plain(Count::b, touchVoltage, -1)},
    {rated(tripTimeByRatedCode, -3, "A -"), plain(Count::b, touchVoltage, -1)},
    {rated(tripCurrent, -4, "AC"), plain(Count::b, touchVoltageDifference, -1)},
    {rated(tripCurrent, -3, "AC"), plain(Count::b, touchVoltageDifference, -1)},
    {rated(tripCurrent, -4, "A +"), plain(Count::b, touchVoltageDifference, -1)},
    {rated(tripCurrent, -3, "A -"), plain(Count::b, touchVoltageDifference, -1)},
    {rated(tripCurrent, -4, "A +"), plain(Count::b, touchVoltageDifference, -1)},
    {rated(tripCurrent, -3, "A -"), plain(Count::b, touchVoltageDifference, -1)},
}};

int limitOfA(int kind) {
    if (kind >= 3 && kind <= 13) {
        return 1999;
    }
    if (kind == 14 || kind == 15) {
        return 9999;
    }
    return 999;
}

int limitOfB(int kind) {
    if ((kind >= 3 && kind <= 11) || kind == 17) {
        return 9999;
    }
    if (kind == 16) {
        return 1999;
    }
    return 999;
}

// What an RCD record's count C says: the rated residual current, as the start of the note,
// and whether the test ran at five times that current.
struct RatedCurrent {
    const char* text;
    bool fiveTimes;
};

RatedCurrent ratedCurrentFor(int code) {
    switch (code) {
        case 1004:
            return {"100mA ", false};
        case 1007:
            return {"100mA ", true};
        case 1067:
            return {"10mA ", true};
        case 3004:
            return {"300mA ", false};
        case 3067:
            return {"30mA ", true};
        case 5004:
            return {"500mA ", false};
        case 6104:
            return {"10mA ", false};
        case 6304:
            return {"30mA ", false};
        default:
            return {"", false};
    }
}

int quantityOf(const ItemRule& rule, const RatedCurrent& rated) {
    if (rule.quantity != tripTimeByRatedCode) {
        return rule.quantity;
    }
    return rated.fiveTimes ? tripTimeFiveTimes : tripTime;
}

std::optional<std::string> noteOf(const ItemRule& rule, const RatedCurrent& rated) {
    switch (rule.note) {
        case Note::fixed:
            return std::string(rule.text);
        case Note::ratedCurrent:
            return std::string(rated.text) + rule.text;
        case Note::none:
            break;
    }
    return std::nullopt;
}

// Slot i lies in block i / 4: its bank byte at the block's byte i % 4, its record of seven
// bytes (kind, then counts A, B and C, each low byte first) after the four bank bytes.
int bankBytePosition(int slot) {
    return blockSize * (slot / slotsPerBlock) + slot % slotsPerBlock;
}

int recordPosition(int slot) {
    return blockSize * (slot / slotsPerBlock) + slotsPerBlock + recordSize * (slot % slotsPerBlock);
}

}  // namespace

void Mx350Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx350Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx350Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

int Mx350Translator::recordSlots() const {
    return recordCount;
}

int Mx350Translator::slotBankByte(int slot) const {
    return byteAt(bankBytePosition(slot)) & 0xFF;
}

void Mx350Translator::decodeRecord(int slot, InstrumentBank& bank) const {
    const int position = recordPosition(slot);
    const int kind = byteAt(position);
    if (kind < 0 || kind >= static_cast<int>(recordKinds.size())) {
        return;
    }
    const ClampedCount a = clampCount(signedWordAt(position + 1), limitOfA(kind));
    const ClampedCount b = clampCount(signedWordAt(position + 3), limitOfB(kind));
    // Count C is a reading or a rated-current code; it is never range-checked.
    const ClampedCount c = {signedWordAt(position + 5), false};
    const RatedCurrent rated = ratedCurrentFor(c.count);

    bool primary = true;
    for (const ItemRule& rule : recordKinds[kind]) {
        if (rule.count == Count::none) {
            break;
        }
        const ClampedCount& count = rule.count == Count::a ? a : rule.count == Count::b ? b : c;
        bank.add(std::make_unique<InstrumentItem>(scaleCount(count.count, rule.powerOfTen),
                                                  quantityOf(rule, rated), noteOf(rule, rated),
                                                  primary, count.over));
        primary = false;
    }
}

}  // namespace kadenza
