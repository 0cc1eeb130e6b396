#include "translators/Mx310Translator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "translators/Mx310Kinds.h"

namespace kadenza {

namespace {

// Eight slots a block: their eight bank bytes first, then their records of a kind byte and
// a count word each.
constexpr int slotsPerBlock = 8;
constexpr int recordSize = 3;

constexpr int sealedLength = blockSize - 2;
constexpr double countsPerSecond = 50;

constexpr int copperGroup = 1;
constexpr int aluminiumGroup = 2;
constexpr char16_t squareMillimetres[] = u"mm\033\0032\033\001";
constexpr int crossSectionPower = -3;
constexpr double countsPerSquareMillimetre = 1000;
constexpr SetupSetting copper{2, squareMillimetres, 0.125f, 10, false};
constexpr SetupSetting aluminium{3, squareMillimetres, 0.125f, 10, false};

int bankBytePosition(int slot) {
    return slot / slotsPerBlock * blockSize + slot % slotsPerBlock;
}

int recordPosition(int slot) {
    return slot / slotsPerBlock * blockSize + slotsPerBlock + recordSize * (slot % slotsPerBlock);
}

// Times are counts of 20 ms, read unsigned: the accepted range reaches 1000 s, a count of
// 50000, which a signed word would read back as a negative time.
float secondsOf(int count) {
    return static_cast<float>(scaleCount(2 * count, -2));
}

// A count the word can hold, truncated toward zero. A product beyond the word is held at its
// limit rather than wrapped into an unrelated value.
int wordCount(double product) {
    if (std::isnan(product)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(product, -32768.0, 65535.0)));
}

// A value decoded from a count is the count times the scale rounded to single precision, so
// its product with the inverse scale can land a hair under the count (6001 x 0.02 gives
// 6000.9998): within the float's representation error that product is the count itself.
// Farther from a whole number it is a value the user typed, and truncated.
double truncatedCount(double product) {
    const double nearest = std::round(product);
    const double representationError = std::abs(product) * std::numeric_limits<float>::epsilon();
    return std::abs(product - nearest) <= representationError ? nearest : product;
}

}  // namespace

int Mx310Translator::slotBankByte(int slot) const {
    return byteAt(bankBytePosition(slot)) & 0xFF;
}

void Mx310Translator::decodeRecord(int slot, InstrumentBank& bank) const {
    const int position = recordPosition(slot);
    bank.add(recordItem(byteAt(position), signedWordAt(position + 1)));
}

std::unique_ptr<InstrumentItem> Mx310Translator::recordItem(int kind, int count) const {
    return mx310Item(kind, count, Mx310Generation::second);
}

void Mx310Translator::defaultSetup(InstrumentSetup& setup) const {
    setup.clear();
    auto general = std::make_unique<InstrumentSetupBank>(generalGroup);
    general->add(settingItem(powerOff, 120));
    general->add(settingItem(backlightOff, 2));
    setup.add(std::move(general));
    setup.add(
        defaultTable(copperGroup, copper, {0.125f, 0.282f, 0.35f, 0.5f, 1, 1.5f, 2.5f, 4, 6}));
    setup.add(defaultTable(aluminiumGroup, aluminium, {1, 1.5f, 2.5f, 4, 6}));
}

void Mx310Translator::decodeSetup(InstrumentSetup& setup) const {
    setup.clear();
    auto general = std::make_unique<InstrumentSetupBank>(generalGroup);
    decodeTimes(*general);
    setup.add(std::move(general));
    setup.add(decodeTable(copperGroup, copper, firstTable, crossSectionPower));
    setup.add(decodeTable(aluminiumGroup, aluminium, secondTable, crossSectionPower));
}

// The factory settings go in first, so a group or item the setup lacks keeps its default.
// The general block's words that no setting uses are written as 0.
void Mx310Translator::encodeSetup(const InstrumentSetup& setup) {
    for (int position = generalBlock; position < generalBlock + sealedLength; ++position) {
        setByteAt(position, 0);
    }
    InstrumentSetup factory;
    defaultSetup(factory);
    writeSettings(factory);
    writeSettings(setup);
    for (const int block : {firstTable, secondTable, generalBlock}) {
        sealSetupBlock(block);
    }
}

void Mx310Translator::writeSettings(const InstrumentSetup& setup) {
    if (const InstrumentSetupBank* general = setup.findBank(generalGroup)) {
        encodeTimes(*general);
    }
    encodeTable(setup.findBank(copperGroup), firstTable, countsPerSquareMillimetre,
                Conversion::rounded);
    encodeTable(setup.findBank(aluminiumGroup), secondTable, countsPerSquareMillimetre,
                Conversion::rounded);
}

std::unique_ptr<InstrumentSetupItem> Mx310Translator::settingItem(const SetupSetting& setting,
                                                                  float value) {
    return std::make_unique<InstrumentSetupItem>(setting.kind, value, setting.unit, setting.minimum,
                                                 setting.maximum, setting.zeroAllowed);
}

void Mx310Translator::decodeTimes(InstrumentSetupBank& general) const {
    general.add(settingItem(powerOff, secondsOf(wordAt(powerOffWord))));
    general.add(settingItem(backlightOff, secondsOf(wordAt(backlightOffWord))));
}

void Mx310Translator::encodeTimes(const InstrumentSetupBank& general) {
    if (const InstrumentSetupItem* item = general.findItem(powerOff.kind)) {
        float seconds = item->value();
        // The instrument does not switch itself off within its first minute; 0 means never.
        if (seconds > 0 && seconds < powerOff.minimum) {
            seconds = powerOff.minimum;
        }
        encodeValue(powerOffWord, seconds, countsPerSecond, Conversion::truncated);
    }
    if (const InstrumentSetupItem* item = general.findItem(backlightOff.kind)) {
        encodeValue(backlightOffWord, item->value(), countsPerSecond, Conversion::truncated);
    }
}

std::unique_ptr<InstrumentSetupBank> Mx310Translator::decodeTable(int id,
                                                                  const SetupSetting& setting,
                                                                  int position,
                                                                  int powerOfTen) const {
    auto group = std::make_unique<InstrumentSetupBank>(id);
    for (int k = 0; k < tableLength; ++k) {
        const double value = scaleCount(signedWordAt(position + 2 * k), powerOfTen);
        group->add(settingItem(setting, static_cast<float>(value)));
    }
    return group;
}

std::unique_ptr<InstrumentSetupBank> Mx310Translator::defaultTable(
    int id, const SetupSetting& setting, const std::array<float, tableLength>& values) {
    auto group = std::make_unique<InstrumentSetupBank>(id);
    for (const float value : values) {
        group->add(settingItem(setting, value));
    }
    return group;
}

void Mx310Translator::encodeTable(const InstrumentSetupBank* group, int position, double factor,
                                  Conversion conversion) {
    if (group == nullptr) {
        return;
    }
    const int items = std::min(group->count(), tableLength);
    for (int k = 0; k < items; ++k) {
        encodeValue(position + 2 * k, group->item(k)->value(), factor, conversion);
    }
}

// A float times these factors is exact in double precision, as it was in the extended
// precision of the instrument's software.
void Mx310Translator::encodeValue(int position, float value, double factor, Conversion conversion) {
    const double product = static_cast<double>(value) * factor;
    setWordAt(position, wordCount(conversion == Conversion::rounded ? product + 0.5
                                                                    : truncatedCount(product)));
}

}  // namespace kadenza
