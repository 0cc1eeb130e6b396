#include "translators/Mx320Translator.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "translators/InstallationQuantities.h"

namespace kadenza {

namespace {

constexpr int recordCount = 1020;
constexpr int recordSize = 8;
constexpr int countLimit = 1999;

// What a count means: the quantity it measures and the power of ten of its steps.
struct ValueKind {
    int quantity;
    int powerOfTen;
};

using namespace installation;

// The meanings of a count, by value kind. Count A of a record has the record kind as its
// value kind, count B a companion kind (below), count C a frequency or a voltage. Value kinds
// 17 to 19 and from 25 on give no reading.
constexpr std::array<std::optional<ValueKind>, 25> valueKinds = {{
    ValueKind{lineVoltage, 0},            // 0
    ValueKind{protectiveVoltage, 0},      // 1
    ValueKind{lineVoltage, 0},            // 2
    ValueKind{frequency, -1},             // 3
    ValueKind{loopImpedance, -2},         // 4
    ValueKind{loopImpedance, -1},         // 5
    ValueKind{loopImpedance, 0},          // 6
    ValueKind{loopImpedance, -2},         // 7
    ValueKind{conductorTestCurrent, -3},  // 8
    ValueKind{touchVoltage, -1},          // 9
    ValueKind{tripCurrent, -6},           // 10
    ValueKind{tripCurrent, -6},           // 11
    ValueKind{tripCurrent, -7},           // 12
    ValueKind{tripCurrent, -7},           // 13
    ValueKind{tripTime, -3},              // 14
    ValueKind{tripTime, -3},              // 15
    ValueKind{tripTimeFiveTimes, -3},     // 16
    std::nullopt,                         // 17
    std::nullopt,                         // 18
    std::nullopt,                         // 19
    ValueKind{shortCircuitCurrent, 0},    // 20
    ValueKind{shortCircuitCurrent, -1},   // 21
    ValueKind{shortCircuitCurrent, -2},   // 22
    ValueKind{shortCircuitCurrent, -3},   // 23
    ValueKind{conductorResistance, -2},   // 24
}};

// The value kind of count B by record kind, before the range selector is added.
constexpr std::array<int, 32> companionKinds = {1, 0, 0, 0, 20, 20, 20, 20, 0, 5, 9, 9, 9, 9, 9, 9,
                                                9, 0, 0, 0, 0,  0,  0,  0,  8, 0, 0, 0, 0, 0, 0, 0};

constexpr int frequencyKind = 3;
constexpr int lineVoltageKind = 0;

// Record kinds 9 to 16 are RCD tests: count C carries the rated residual current.
bool isRcdTest(int recordKind) {
    return recordKind >= 9 && recordKind <= 16;
}

// The range selector only scales count B of the record kinds up to 9.
int companionKind(int recordKind, int range) {
    return companionKinds[recordKind] + (recordKind <= 9 ? range : 0);
}

// Only the low three bits of count C name the rated current; 6 and 7 name none.
std::optional<std::string> ratedCurrentNote(int countC) {
    static const std::array<const char*, 6> notes = {"6 mA",   "10 mA",  "30 mA",
                                                     "100 mA", "300 mA", "500 mA"};
    const int index = countC & 7;
    if (index >= static_cast<int>(notes.size())) {
        return std::nullopt;
    }
    return std::string(notes[index]);
}

std::unique_ptr<InstrumentItem> makeItem(int valueKind, int count, bool primary,
                                         std::optional<std::string> note = std::nullopt) {
    if (valueKind >= static_cast<int>(valueKinds.size()) || !valueKinds[valueKind]) {
        return nullptr;
    }
    const ValueKind& kind = *valueKinds[valueKind];
    const ClampedCount clamped = clampCount(count, countLimit);
    return std::make_unique<InstrumentItem>(scaleCount(clamped.count, kind.powerOfTen),
                                            kind.quantity, std::move(note), primary, clamped.over);
}

}  // namespace

void Mx320Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx320Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx320Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

int Mx320Translator::recordSlots() const {
    return recordCount;
}

int Mx320Translator::slotBankByte(int slot) const {
    return byteAt(slot * recordSize) & 0xFF;
}

// Record bytes: bank, type (kind in bits 0 to 4, range selector in bits 6 and 7), then the
// counts A, B and C, each low byte first.
void Mx320Translator::decodeRecord(int slot, InstrumentBank& bank) const {
    const int position = slot * recordSize;
    const int type = byteAt(position + 1) & 0xFF;
    const int kind = type & 0x1F;
    const int range = type >> 6;
    const int a = signedWordAt(position + 2);
    const int b = signedWordAt(position + 4);
    const int c = signedWordAt(position + 6);

    if (isRcdTest(kind)) {
        bank.add(makeItem(kind, a, true, ratedCurrentNote(c)));
        bank.add(makeItem(companionKind(kind, range), b, false));
        return;
    }
    bank.add(makeItem(kind, a, true));
    bank.add(makeItem(companionKind(kind, range), b, false));
    bank.add(makeItem(kind == 0 ? frequencyKind : lineVoltageKind, c, false));
}

}  // namespace kadenza
