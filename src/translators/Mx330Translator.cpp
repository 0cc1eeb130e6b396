#include "translators/Mx330Translator.h"

#include <iterator>

namespace kadenza {

namespace {

constexpr int countLimit = 1999;

// Quantity codes the Mx330 records use.
constexpr int protectiveConductor = 7;
constexpr int current = 10;
constexpr int voltage = 29;
constexpr int earthResistance = 31;
constexpr int resistivity = 32;

// Earth resistance kinds come in groups of four, one group per method; the offset within a
// group is the range, a count of 0.01, 0.1, 1 or 10 Ohm. Resistivity has the same four ranges.
constexpr int rangesPerGroup = 4;
constexpr int lowestRangePower = -2;
constexpr const char* earthMethods[] = {"3 wire", "4 wire", "PK", "3 wire+S", "4 wire+S"};
constexpr int earthKinds = static_cast<int>(std::size(earthMethods)) * rangesPerGroup;
constexpr int firstResistivityKind = 23;

struct Kind {
    int code;
    int quantity;
    int power;
    const char* note;
};

constexpr Kind kinds[] = {
    {20, voltage, -1, nullptr}, {28, voltage, -1, "AC"},    {32, current, -4, nullptr},
    {33, current, -3, nullptr}, {34, current, -2, nullptr}, {35, protectiveConductor, -2, nullptr},
};

const Kind* findKind(int code) {
    for (const Kind& kind : kinds) {
        if (kind.code == code) {
            return &kind;
        }
    }
    return nullptr;
}

std::unique_ptr<InstrumentItem> rangedItem(int quantity, int range, ClampedCount count,
                                           std::optional<std::string> note) {
    return std::make_unique<InstrumentItem>(scaleCount(count.count, lowestRangePower + range),
                                            quantity, std::move(note), true, count.over);
}

// Setup groups and settings.
constexpr int distanceGroup = 3;
constexpr int frequencyGroup = 4;
constexpr double beepCountsPerOhm = 100;
constexpr int beepLimitPower = -2;
constexpr int distancePower = -1;
constexpr double distanceCountsPerMetre = 10;

// The word holds at most 655.35 Ohm; the limit stops one count below, so that a value beyond
// it is refused rather than stored as the largest count, and an erased word (0xFFFF) reads
// as out of range.
constexpr SetupSetting beepLimit{6, u"\u03A9", 0, 655.34f, true};
constexpr SetupSetting distance{4, u"m", 0.5f, 30, true};
// The factory table holds 53 Hz, below the lowest frequency a user may enter.
constexpr SetupSetting frequency{5, u"Hz", 59, 140, true};
constexpr SetupSetting factoryFrequency{5, u"Hz", 53, 140, true};

}  // namespace

std::unique_ptr<InstrumentItem> Mx330Translator::recordItem(int kind, int count) const {
    const ClampedCount clamped = clampCount(count, countLimit);
    if (kind >= 0 && kind < earthKinds) {
        return rangedItem(earthResistance, kind % rangesPerGroup, clamped,
                          earthMethods[kind / rangesPerGroup]);
    }
    if (kind >= firstResistivityKind && kind < firstResistivityKind + rangesPerGroup) {
        return rangedItem(resistivity, kind - firstResistivityKind, clamped, std::nullopt);
    }
    const Kind* found = findKind(kind);
    if (found == nullptr) {
        return nullptr;
    }
    std::optional<std::string> note;
    if (found->note != nullptr) {
        note = found->note;
    }
    return std::make_unique<InstrumentItem>(scaleCount(clamped.count, found->power),
                                            found->quantity, std::move(note), true, clamped.over);
}

void Mx330Translator::defaultSetup(InstrumentSetup& setup) const {
    setup.clear();
    auto general = std::make_unique<InstrumentSetupBank>(generalGroup);
    general->add(settingItem(powerOff, 120));
    general->add(settingItem(backlightOff, 2));
    general->add(settingItem(beepLimit, 1));
    setup.add(std::move(general));
    setup.add(defaultTable(frequencyGroup, factoryFrequency, {128, 140, 53, 95}));
    setup.add(
        defaultTable(distanceGroup, distance, {20, 25, 30, 0.5f, 1, 1.5f, 2, 2.5f, 3, 5, 10, 15}));
}

void Mx330Translator::decodeSetup(InstrumentSetup& setup) const {
    setup.clear();
    auto general = std::make_unique<InstrumentSetupBank>(generalGroup);
    decodeTimes(*general);
    // Read unsigned like the times, so every limit that can be written reads back as it was.
    const double limit = scaleCount(wordAt(beepLimitWord), beepLimitPower);
    general->add(settingItem(beepLimit, static_cast<float>(limit)));
    setup.add(std::move(general));
    setup.add(decodeFrequencies());
    setup.add(decodeTable(distanceGroup, distance, secondTable, distancePower));
}

// A frequency that only the factory table uses (53 Hz) keeps the factory's range, so an
// instrument that still holds its factory settings can have them written back.
std::unique_ptr<InstrumentSetupBank> Mx330Translator::decodeFrequencies() const {
    auto group = std::make_unique<InstrumentSetupBank>(frequencyGroup);
    for (int k = 0; k < tableLength; ++k) {
        const auto hertz = static_cast<float>(signedWordAt(firstTable + 2 * k));
        const bool factoryOnly = hertz >= factoryFrequency.minimum && hertz < frequency.minimum;
        group->add(settingItem(factoryOnly ? factoryFrequency : frequency, hertz));
    }
    return group;
}

void Mx330Translator::writeSettings(const InstrumentSetup& setup) {
    if (const InstrumentSetupBank* general = setup.findBank(generalGroup)) {
        encodeTimes(*general);
        if (const InstrumentSetupItem* item = general->findItem(beepLimit.kind)) {
            encodeValue(beepLimitWord, item->value(), beepCountsPerOhm, Conversion::truncated);
        }
    }
    encodeTable(setup.findBank(frequencyGroup), firstTable, 1, Conversion::truncated);
    encodeTable(setup.findBank(distanceGroup), secondTable, distanceCountsPerMetre,
                Conversion::rounded);
}

}  // namespace kadenza
