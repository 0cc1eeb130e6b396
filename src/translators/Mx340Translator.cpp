#include "translators/Mx340Translator.h"

#include <memory>
#include <optional>

namespace kadenza {

namespace {

constexpr int recordCount = 1000;
constexpr int recordSize = 8;

// Offsets inside a record. The type byte's low five bits are the record's kind; a type byte
// of 0 or above 127 (0xFF: never written) marks a record not in use.
constexpr int typeOffset = 0;
constexpr int countAOffset = 1;
constexpr int countBOffset = 3;
constexpr int rangeAOffset = 5;
constexpr int rangeBOffset = 6;

// This exact type byte opens an appliance's test: count B x 10000 + count A is its number.
// A type byte with the same low bits and higher bits set is not one.
constexpr int recordNumberType = 15;
constexpr int kindMask = 0x1F;

// Rows of the quantity table that the appliance readings use.
enum Quantity {
    lineVoltage = 1,
    protectiveResistance = 7,
    frequency = 8,
    consumption = 12,
    activePower = 13,
    apparentPower = 14,
    insulationResistance = 15,
    temperature = 16,
    speed = 17,
    protectiveCurrent = 18,
    touchCurrent = 19,
    substitutedLeakage = 20,
    differentialLeakage = 21,
    insulationVoltage = 22,
    powerFactor = 23,
    protectiveVoltage = 24,
    touchVoltage = 25,
};

// What a count of one kind means: its quantity, its decimal scale and the largest count the
// instrument can show in that range.
struct ValueKind {
    int quantity;
    int powerOfTen;
    int limit;
};

// The range byte gives the size of one insulation count: 100 kOhm, 10 kOhm or 1 kOhm.
std::optional<ValueKind> insulationKind(int range) {
    switch (range) {
        case 2:
            return ValueKind{insulationResistance, 5, 3999};
        case 3:
            return ValueKind{insulationResistance, 4, 3999};
        case 4:
            return ValueKind{insulationResistance, 3, 3999};
        default:
            return std::nullopt;
    }
}

std::optional<ValueKind> valueKind(int kind, int range) {
    constexpr int milliohmRange = 4;
    switch (kind) {
        case 1:
            return ValueKind{lineVoltage, -1, 3999};
        case 2:
            return ValueKind{consumption, -2, 1999};
        case 3:
            return insulationKind(range);
        case 4:
            return range == milliohmRange ? ValueKind{protectiveResistance, -3, 3999}
                                          : ValueKind{protectiveResistance, -2, 1999};
        case 5:
            return ValueKind{activePower, 0, 3999};
        case 6:
            return ValueKind{apparentPower, 0, 3999};
        case 8:
            return ValueKind{temperature, -1, 3999};
        case 9:
            return ValueKind{speed, 0, 9999};
        case 10:
            return ValueKind{protectiveCurrent, -5, 1999};
        case 11:
            return ValueKind{touchCurrent, -6, 3999};
        case 12:
            return ValueKind{substitutedLeakage, -5, 1999};
        case 13:
            return ValueKind{differentialLeakage, -5, 1999};
        case 14:
            return ValueKind{protectiveResistance, -3, 999};
        case 16:
            return ValueKind{frequency, -1, 1999};
        case 17:
            return ValueKind{powerFactor, -2, 999};
        case 18:
            return ValueKind{protectiveVoltage, -2, 999};
        case 19:
            return ValueKind{insulationVoltage, 0, 9999};
        case 20:
            return ValueKind{touchVoltage, -3, 9999};
        default:
            return std::nullopt;
    }
}

// The kind of the second count that a measurement of this kind records beside its main
// reading; 0 when the second count is unused.
int companionKind(int kind) {
    switch (kind) {
        case 1:
        case 2:
            return 16;
        case 3:
            return 19;
        case 5:
        case 6:
            return 17;
        case 11:
            return 20;
        case 14:
            return 18;
        default:
            return 0;
    }
}

// Speed, protective-conductor current and touch current keep their main reading in count B.
bool mainReadingInB(int kind) {
    return kind == 9 || kind == 10 || kind == 11;
}

std::unique_ptr<InstrumentItem> makeItem(int kind, int count, int range, bool primary) {
    const std::optional<ValueKind> value = valueKind(kind, range);
    if (!value) {
        return nullptr;
    }
    const ClampedCount clamped = clampCount(count, value->limit);
    return std::make_unique<InstrumentItem>(scaleCount(clamped.count, value->powerOfTen),
                                            value->quantity, primary, clamped.over);
}

}  // namespace

void Mx340Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx340Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx340Translator::decodeSetup(InstrumentSetup& setup) const {
    setup.clear();
}

void Mx340Translator::decodeData(InstrumentData& data) const {
    data.clear();
    // Records ahead of the first record number are filed under number 0.
    int number = 0;
    for (int record = 0; record < recordCount; ++record) {
        const int position = record * recordSize;
        const int type = byteAt(position + typeOffset);
        if (type == recordNumberType) {
            number = signedWordAt(position + countBOffset) * 10000 +
                     signedWordAt(position + countAOffset);
        }
        if (type > 0) {
            decodeRecordAt(position, numberedBankFor(data, number));
        }
    }
    data.tidy();
}

void Mx340Translator::decodeRecordAt(int position, InstrumentBank& bank) const {
    const int kind = byteAt(position + typeOffset) & kindMask;
    const int countA = signedWordAt(position + countAOffset);
    const int countB = signedWordAt(position + countBOffset);
    const int rangeA = byteAt(position + rangeAOffset);
    const int rangeB = byteAt(position + rangeBOffset);
    if (mainReadingInB(kind)) {
        bank.add(makeItem(kind, countB, rangeB, true));
        bank.add(makeItem(companionKind(kind), countA, rangeA, false));
    } else {
        bank.add(makeItem(kind, countA, rangeA, true));
        bank.add(makeItem(companionKind(kind), countB, rangeB, false));
    }
}

}  // namespace kadenza
