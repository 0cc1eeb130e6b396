#include "translators/Mx310Kinds.h"

#include <cstdlib>
#include <iterator>

#include "translators/InstrumentTranslator.h"

namespace kadenza {

namespace {

constexpr int countLimit = 1999;

// Quantity codes the Mx310 records use.
constexpr int lineVoltage = 1;
constexpr int protectiveConductor = 7;
constexpr int insulation = 15;
constexpr int temperature = 16;
constexpr int protectionVoltage = 27;
constexpr int conductorLength = 28;
constexpr int voltage = 29;

// Insulation kinds come in groups of eight, one group per test voltage. The offset 0 to 4
// within a group is the range: the count is in units of 1 kOhm, 10 kOhm, ... 10 MOhm. The
// other offsets of a group are kinds of their own.
constexpr int insulationGroupSize = 8;
constexpr int insulationRanges = 5;
constexpr const char* insulationVoltages[] = {"50V", "100V", "250V", "500V", "1000V"};
constexpr int insulationGroups = static_cast<int>(std::size(insulationVoltages));

struct Kind {
    int code;
    int quantity;
    // The count's power of ten on the Mx310.1 and on the Mx310.2.
    int firstPower;
    int secondPower;
    const char* note;
};

constexpr Kind kinds[] = {
    {5, temperature, 0, 0, "PT100"},
    {6, voltage, 0, -1, nullptr},
    {7, voltage, -1, 0, nullptr},
    {13, protectiveConductor, -2, -2, nullptr},
    {14, protectiveConductor, -1, -1, nullptr},
    {15, protectiveConductor, 0, 0, nullptr},
    {21, temperature, 0, 0, nullptr},
    {23, protectionVoltage, 0, 0, nullptr},
    {29, lineVoltage, 0, -1, nullptr},
    {30, lineVoltage, -1, 0, nullptr},
    {37, conductorLength, -2, -3, nullptr},
    {38, conductorLength, -1, -2, nullptr},
    {39, conductorLength, 0, -1, nullptr},
    {40, conductorLength, -3, 0, nullptr},
    {41, conductorLength, 1, 1, nullptr},
    {47, temperature, 0, 0, "PT1000"},
};

bool isInsulation(int kind) {
    return kind >= 0 && kind < insulationGroups * insulationGroupSize &&
           kind % insulationGroupSize < insulationRanges;
}

// Insulation resistance has no sign: the instrument's count may carry one, the reading not.
std::unique_ptr<InstrumentItem> insulationItem(int kind, ClampedCount count) {
    const int range = kind % insulationGroupSize;
    return std::make_unique<InstrumentItem>(
        scaleCount(std::abs(count.count), 3 + range), insulation,
        insulationVoltages[kind / insulationGroupSize], true, count.over);
}

const Kind* findKind(int code) {
    for (const Kind& kind : kinds) {
        if (kind.code == code) {
            return &kind;
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<InstrumentItem> mx310Item(int kind, int count, Mx310Generation generation) {
    const ClampedCount clamped = clampCount(count, countLimit);
    if (isInsulation(kind)) {
        return insulationItem(kind, clamped);
    }
    const Kind* found = findKind(kind);
    if (found == nullptr) {
        return nullptr;
    }
    const int power = generation == Mx310Generation::first ? found->firstPower : found->secondPower;
    std::optional<std::string> note;
    if (found->note != nullptr) {
        note = found->note;
    }
    return std::make_unique<InstrumentItem>(scaleCount(clamped.count, power), found->quantity,
                                            std::move(note), true, clamped.over);
}

}  // namespace kadenza
