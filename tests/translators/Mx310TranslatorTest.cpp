#include <gtest/gtest.h>

#include "DecodedImage.h"

#include <memory>
#include <string>
#include <vector>

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"
#include "model/QuantityTable.h"
#include "samples/Mx310Image.h"
#include "translators/Fcs16.h"
#include "translators/Mx310Translator.h"

namespace kadenza {
namespace {

using samples::Mx310Image;

// Quantity codes by what they measure.
constexpr int lineVoltage = 1;
constexpr int protectiveConductor = 7;
constexpr int insulation = 15;
constexpr int temperature = 16;
constexpr int protectionVoltage = 27;
constexpr int length = 28;
constexpr int voltage = 29;

const std::u16string squareMillimetres = u"mm\033\0032\033\001";

TEST(Mx310Translator, DecodesEveryKindByItsMeaning) {
    const std::vector<test::Reading> readings = {
        // Insulation: the kind picks the test voltage and the value of one count.
        {0, 1500, 1.5e6, insulation, "50V", false},  // 1 kOhm a count
        {1, 1500, 1.5e7, insulation, "50V", false},  // 10 kOhm
        {2, 1500, 1.5e8, insulation, "50V", false},  // 100 kOhm
        {3, 1500, 1.5e9, insulation, "50V", false},  // 1 MOhm
        {3, -1500, 1.5e9, insulation, "50V", false},
        {4, 1500, 1.5e10, insulation, "50V", false},  // 10 MOhm
        {8, 12, 1.2e4, insulation, "100V", false},
        {9, 12, 1.2e5, insulation, "100V", false},
        {10, 12, 1.2e6, insulation, "100V", false},
        {11, 12, 1.2e7, insulation, "100V", false},
        {12, 12, 1.2e8, insulation, "100V", false},
        {16, 7, 7e3, insulation, "250V", false},
        {17, 7, 7e4, insulation, "250V", false},
        {18, 7, 7e5, insulation, "250V", false},
        {19, 7, 7e6, insulation, "250V", false},
        {20, 7, 7e7, insulation, "250V", false},
        {24, 245, 2.45e5, insulation, "500V", false},
        {25, 245, 2.45e6, insulation, "500V", false},
        {26, 245, 2.45e7, insulation, "500V", false},
        {27, 245, 2.45e8, insulation, "500V", false},
        {28, 245, 2.45e9, insulation, "500V", false},
        {32, 1999, 1.999e6, insulation, "1000V", false},
        {33, 1999, 1.999e7, insulation, "1000V", false},
        {34, 1999, 1.999e8, insulation, "1000V", false},
        {35, 1999, 1.999e9, insulation, "1000V", false},
        {36, 2500, 1.999e10, insulation, "1000V", true},
        {36, -2000, 1.999e10, insulation, "1000V", true},
        // Everything else keeps the count's sign.
        {5, -15, -15, temperature, "PT100", false},
        {6, 241, 24.1, voltage, nullptr, false},
        {7, -400, -400, voltage, nullptr, false},
        {13, 18, 0.18, protectiveConductor, nullptr, false},
        {14, 125, 12.5, protectiveConductor, nullptr, false},
        {15, 1999, 1999, protectiveConductor, nullptr, false},
        {15, 2000, 1999, protectiveConductor, nullptr, true},
        {15, -1999, -1999, protectiveConductor, nullptr, false},
        {15, -2000, -1999, protectiveConductor, nullptr, true},
        {21, 25, 25, temperature, nullptr, false},
        {23, 1043, 1043, protectionVoltage, nullptr, false},
        {29, 1103, 110.3, lineVoltage, nullptr, false},
        {30, 231, 231, lineVoltage, nullptr, false},
        {37, 850, 0.85, length, nullptr, false},
        {38, 1245, 12.45, length, nullptr, false},
        {39, 356, 35.6, length, nullptr, false},
        {40, 148, 148, length, nullptr, false},
        {41, 12, 120, length, nullptr, false},
        {47, -30, -30, temperature, "PT1000", false},
    };
    test::expectReadings<Mx310Translator, Mx310Image>(readings);
}

TEST(Mx310Translator, KindsWithoutAMeasurementLeaveTheBankWithItsNumberOnly) {
    const std::vector<int> kinds = {22, 31, 42, 43, 44, 45, 46, 48, 127, -1, -128};
    test::expectNoItemFor<Mx310Translator, Mx310Image>(kinds);
}

TEST(Mx310Translator, ReadsSlotsWhereTheInstrumentKeepsThem) {
    samples::MemoryImage image;
    // Slot 8 opens block 1: bank byte at 32, kind at 40, count at 41 and 42.
    image.setByte(32, 4);
    image.setByte(40, 30);
    image.setWord(41, 230);
    // Slot 1999 closes block 249.
    image.setByte(249 * 32 + 7, 254);
    image.setByte(249 * 32 + 29, 30);
    image.setWord(249 * 32 + 30, 231);
    const auto data = test::decodeWith<Mx310Translator>(image);
    ASSERT_EQ(data->count(), 2);
    EXPECT_EQ(data->bank(0)->number(), 5);
    EXPECT_DOUBLE_EQ(data->bank(0)->item(1)->value(), 230);
    EXPECT_EQ(data->bank(1)->number(), 255);
    EXPECT_DOUBLE_EQ(data->bank(1)->item(1)->value(), 231);
}

TEST(Mx310Translator, GathersABanksRecordsInRecordOrder) {
    EXPECT_EQ(test::decodeWith<Mx310Translator>(Mx310Image())->count(), 0);

    Mx310Image image;
    image.record(0, 3, 30, 229);
    image.record(700, 1, 30, 230);
    image.record(1500, 3, 30, 231);
    const auto data = test::decodeWith<Mx310Translator>(image);
    ASSERT_EQ(data->count(), 2);
    EXPECT_EQ(data->bank(0)->number(), 1);
    const InstrumentBank& bank3 = *data->bank(1);
    ASSERT_EQ(bank3.count(), 3);
    EXPECT_EQ(bank3.item(0)->symbol(), bankNumberQuantity);
    EXPECT_DOUBLE_EQ(bank3.item(0)->value(), 3);
    EXPECT_FALSE(bank3.item(0)->isPrimary());
    EXPECT_DOUBLE_EQ(bank3.item(1)->value(), 229);
    EXPECT_DOUBLE_EQ(bank3.item(2)->value(), 231);
}

TEST(Mx310Translator, SampleHoldsSixBanksAndItsSetup) {
    const auto sample = samples::mx310Sample();
    const auto data = test::decodeWith<Mx310Translator>(sample);
    std::vector<int> banks;
    for (int b = 0; b < data->count(); ++b) {
        banks.push_back(data->bank(b)->number());
    }
    EXPECT_EQ(banks, (std::vector<int>{1, 2, 3, 4, 5, 7}));

    Mx310Translator translator;
    test::load(translator, sample);
    InstrumentSetup setup;
    translator.decodeSetup(setup);
    EXPECT_FLOAT_EQ(setup.findBank(0)->findItem(0)->value(), 300);
    for (const int block : {8064, 8096, 8128}) {
        EXPECT_EQ(fcs16(sample.bytes().data() + block, 32), fcs16Residue) << block;
    }
}

// Setup

using test::group;
using test::words;

const std::vector<int> factoryCopper = {125,  282, 350, 500, 1000, 1500, 2500, 4000,
                                        6000, 0,   0,   0,   0,    0,    0};
const std::vector<int> factoryAluminium = {1000, 1500, 2500, 4000, 6000, 0, 0, 0,
                                           0,    0,    0,    0,    0,    0, 0};

void expectItem(const InstrumentSetupItem& item, int kind, float value, const std::u16string& unit,
                float minimum, float maximum, bool zeroAllowed) {
    EXPECT_EQ(item.kind(), kind);
    EXPECT_EQ(item.value(), value) << "kind " << kind;
    EXPECT_EQ(item.unit(), unit);
    EXPECT_EQ(item.minimum(), minimum);
    EXPECT_EQ(item.maximum(), maximum);
    EXPECT_EQ(item.zeroAllowed(), zeroAllowed);
}

TEST(Mx310TranslatorSetup, DefaultsAreTheFactorySettings) {
    Mx310Translator translator;
    InstrumentSetup setup;
    setup.add(std::make_unique<InstrumentSetupBank>(9));
    translator.defaultSetup(setup);
    ASSERT_EQ(setup.count(), 3);
    const InstrumentSetupBank& general = *setup.bank(0);
    ASSERT_EQ(general.id(), 0);
    ASSERT_EQ(general.count(), 2);
    expectItem(*general.item(0), 0, 120, u"s", 60, 1000, true);
    expectItem(*general.item(1), 1, 2, u"s", 2, 1000, true);

    const std::vector<std::vector<float>> tables = {
        {0.125f, 0.282f, 0.35f, 0.5f, 1, 1.5f, 2.5f, 4, 6, 0, 0, 0, 0, 0, 0},
        {1, 1.5f, 2.5f, 4, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    for (int t = 0; t < 2; ++t) {
        const InstrumentSetupBank& table = *setup.bank(1 + t);
        EXPECT_EQ(table.id(), 1 + t);
        ASSERT_EQ(table.count(), 15);
        for (int k = 0; k < 15; ++k) {
            expectItem(*table.item(k), 2 + t, tables[t][k], squareMillimetres, 0.125f, 10, false);
        }
    }
}

TEST(Mx310TranslatorSetup, EncodesTheDefaultsAsTheFactoryCountsInSealedBlocks) {
    Mx310Translator defaults;
    Mx310Translator empty;
    InstrumentSetup setup;
    defaults.defaultSetup(setup);
    defaults.encodeSetup(setup);
    empty.encodeSetup(InstrumentSetup());

    for (const Mx310Translator* translator : {&defaults, &empty}) {
        EXPECT_EQ(words(*translator, 8064, 15), factoryCopper);
        EXPECT_EQ(words(*translator, 8096, 15), factoryAluminium);
        EXPECT_EQ(words(*translator, 8128, 2), (std::vector<int>{6000, 100}));
        EXPECT_EQ(words(*translator, 8132, 13), std::vector<int>(13, 0));
        EXPECT_EQ(words(*translator, 8160, 16), std::vector<int>(16, 0xFFFF));
        std::uint8_t block[32];
        for (const int position : {8064, 8096, 8128}) {
            translator->copyOut(block, position, 32);
            EXPECT_EQ(fcs16(block, 32), fcs16Residue) << position;
        }
    }
}

TEST(Mx310TranslatorSetup, PowerOffTimeIsAtLeastAMinuteAndTimesAreTruncated) {
    const std::vector<std::vector<float>> times = {
        {30, 30}, {0, 0}, {120, 2.5f}, {59.98f, 1000}, {120.03f, 2.99f}};
    const std::vector<std::vector<int>> counts = {
        {3000, 1500}, {0, 0}, {6000, 125}, {3000, 50000}, {6001, 149}};
    for (std::size_t i = 0; i < times.size(); ++i) {
        auto general = std::make_unique<InstrumentSetupBank>(0);
        general->add(std::make_unique<InstrumentSetupItem>(1, times[i][1], u"s", 2, 1000, true));
        general->add(std::make_unique<InstrumentSetupItem>(0, times[i][0], u"s", 60, 1000, true));
        InstrumentSetup setup;
        setup.add(std::move(general));
        Mx310Translator translator;
        translator.encodeSetup(setup);
        EXPECT_EQ(words(translator, 8128, 2), counts[i]) << times[i][0] << " s";
    }
}

TEST(Mx310TranslatorSetup, WritesRoundedSectionsOfTheFirstFifteenItemsOnly) {
    InstrumentSetup setup;
    setup.add(group(
        1, 2, {0.0015f, 0.0014f, 2.4996f, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 7, 7, 7, 7, 7}));
    setup.add(group(0, 1, {10}));
    Mx310Translator translator;
    translator.encodeSetup(setup);
    const std::vector<int> copper = {2,    1,    2500, 1000, 1000, 1000, 1000, 1000,
                                     1000, 1000, 1000, 1000, 1000, 1000, 1000};
    EXPECT_EQ(words(translator, 8064, 15), copper);
    EXPECT_EQ(words(translator, 8096, 15), factoryAluminium);
    // The power-off item is missing and keeps its factory count.
    EXPECT_EQ(words(translator, 8128, 2), (std::vector<int>{6000, 500}));
    std::uint8_t block[32];
    translator.copyOut(block, 8064, 32);
    EXPECT_EQ(fcs16(block, 32), fcs16Residue);
}

TEST(Mx310TranslatorSetup, DecodesTheSetupArea) {
    Mx310Image image;
    image.powerOffTime(50000);
    image.backlightOffTime(1000);
    image.copperSection(0, 282);
    image.copperSection(14, 10000);
    image.aluminiumSection(0, -1);
    Mx310Translator translator;
    test::load(translator, image);
    InstrumentSetup setup;
    translator.defaultSetup(setup);
    translator.decodeSetup(setup);

    ASSERT_EQ(setup.count(), 3);
    const InstrumentSetupBank& general = *setup.bank(0);
    ASSERT_EQ(general.count(), 2);
    // 1000 s, the longest time the setup accepts, needs the word read unsigned.
    expectItem(*general.item(0), 0, 1000, u"s", 60, 1000, true);
    expectItem(*general.item(1), 1, 20, u"s", 2, 1000, true);
    const InstrumentSetupBank& copper = *setup.bank(1);
    EXPECT_EQ(copper.id(), 1);
    ASSERT_EQ(copper.count(), 15);
    expectItem(*copper.item(0), 2, 0.282f, squareMillimetres, 0.125f, 10, false);
    expectItem(*copper.item(14), 2, 10, squareMillimetres, 0.125f, 10, false);
    const InstrumentSetupBank& aluminium = *setup.bank(2);
    EXPECT_EQ(aluminium.id(), 2);
    ASSERT_EQ(aluminium.count(), 15);
    expectItem(*aluminium.item(0), 3, -0.001f, squareMillimetres, 0.125f, 10, false);
}

TEST(Mx310TranslatorSetup, DecodeThenEncodeKeepsCountsSinglePrecisionHolds) {
    // Every count survives, the truncated times too (the power-off time from its one-minute
    // minimum): a time read as 120.02 s, a hair under 6001 counts in single precision, is
    // written back as 6001.
    for (int i = 0; i < 65536; ++i) {
        Mx310Image image;
        for (int k = 0; k < 15; ++k) {
            image.copperSection(k, (15 * i + k) % 32768);
            image.aluminiumSection(k, 32767 - (15 * i + k) % 32768);
        }
        image.powerOffTime(3000 + i % 62536);
        image.backlightOffTime(i);
        Mx310Translator reader;
        test::load(reader, image);
        InstrumentSetup setup;
        reader.decodeSetup(setup);
        Mx310Translator writer;
        writer.encodeSetup(setup);
        ASSERT_EQ(words(writer, 8064, 15), words(reader, 8064, 15)) << i;
        ASSERT_EQ(words(writer, 8096, 15), words(reader, 8096, 15)) << i;
        ASSERT_EQ(words(writer, 8128, 2), words(reader, 8128, 2)) << i;
    }
}

}  // namespace
}  // namespace kadenza
