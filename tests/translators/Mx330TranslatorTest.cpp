#include <gtest/gtest.h>

#include "DecodedImage.h"

#include <memory>
#include <string>
#include <vector>

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"
#include "samples/Mx330Image.h"
#include "translators/Fcs16.h"
#include "translators/Mx330Translator.h"

namespace kadenza {
namespace {

using samples::Mx330Image;

// Quantity codes by what they measure.
constexpr int protectiveConductor = 7;
constexpr int current = 10;
constexpr int voltage = 29;
constexpr int earthResistance = 31;
constexpr int resistivity = 32;

TEST(Mx330Translator, DecodesEveryKindByItsMeaning) {
    const std::vector<test::Reading> readings = {
        // Earth resistance: the kind picks the method and the value of one count.
        {0, 87, 0.87, earthResistance, "3 wire", false},  // 0.01 Ohm a count
        {1, 87, 8.7, earthResistance, "3 wire", false},   // 0.1 Ohm
        {2, 87, 87, earthResistance, "3 wire", false},    // 1 Ohm
        {3, 87, 870, earthResistance, "3 wire", false},   // 10 Ohm
        {4, 512, 5.12, earthResistance, "4 wire", false},
        {5, 512, 51.2, earthResistance, "4 wire", false},
        {6, 512, 512, earthResistance, "4 wire", false},
        {7, 512, 5120, earthResistance, "4 wire", false},
        {8, 1234, 12.34, earthResistance, "PK", false},
        {9, 1234, 123.4, earthResistance, "PK", false},
        {10, 1234, 1234, earthResistance, "PK", false},
        {11, 1234, 12340, earthResistance, "PK", false},
        {12, 46, 0.46, earthResistance, "3 wire+S", false},
        {13, 46, 4.6, earthResistance, "3 wire+S", false},
        {14, 46, 46, earthResistance, "3 wire+S", false},
        {15, 46, 460, earthResistance, "3 wire+S", false},
        {16, 35, 0.35, earthResistance, "4 wire+S", false},
        {17, 35, 3.5, earthResistance, "4 wire+S", false},
        {18, 35, 35, earthResistance, "4 wire+S", false},
        {19, -5, -50, earthResistance, "4 wire+S", false},
        {19, 2000, 19990, earthResistance, "4 wire+S", true},
        {19, -2000, -19990, earthResistance, "4 wire+S", true},
        {23, 1890, 18.9, resistivity, nullptr, false},
        {24, 1890, 189, resistivity, nullptr, false},
        {25, 1890, 1890, resistivity, nullptr, false},
        {26, 1999, 19990, resistivity, nullptr, false},
        {26, 2100, 19990, resistivity, nullptr, true},
        {20, 12, 1.2, voltage, nullptr, false},
        {28, 34, 3.4, voltage, "AC", false},
        {32, 1999, 0.1999, current, nullptr, false},
        {33, 245, 0.245, current, nullptr, false},
        {34, -152, -1.52, current, nullptr, false},
        {35, 45, 0.45, protectiveConductor, nullptr, false},
    };
    test::expectReadings<Mx330Translator, Mx330Image>(readings);
}

TEST(Mx330Translator, KindsWithoutAMeasurementLeaveTheBankWithItsNumberOnly) {
    const std::vector<int> kinds = {21, 22, 27, 29, 30, 31, 36, 47, 127, -1};
    test::expectNoItemFor<Mx330Translator, Mx330Image>(kinds);
}

TEST(Mx330Translator, SampleHoldsFourBanks) {
    const auto data = test::decodeWith<Mx330Translator>(samples::mx330Sample());
    std::vector<int> banks;
    for (int b = 0; b < data->count(); ++b) {
        banks.push_back(data->bank(b)->number());
    }
    EXPECT_EQ(banks, (std::vector<int>{1, 2, 3, 5}));
}

// Setup

using test::group;
using test::words;

const std::vector<int> factoryFrequencies = {128, 140, 53, 95, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<int> factoryDistances = {200, 250, 300, 5,   10, 15, 20, 25,
                                           30,  50,  100, 150, 0,  0,  0};

void expectItem(const InstrumentSetupItem& item, int kind, float value, const std::u16string& unit,
                float minimum, float maximum) {
    EXPECT_EQ(item.kind(), kind);
    EXPECT_EQ(item.value(), value) << "kind " << kind;
    EXPECT_EQ(item.unit(), unit);
    EXPECT_EQ(item.minimum(), minimum);
    EXPECT_EQ(item.maximum(), maximum);
    EXPECT_TRUE(item.zeroAllowed());
}

TEST(Mx330TranslatorSetup, DefaultsAreTheFactorySettings) {
    Mx330Translator translator;
    InstrumentSetup setup;
    translator.defaultSetup(setup);
    ASSERT_EQ(setup.count(), 3);
    const InstrumentSetupBank& general = *setup.bank(0);
    ASSERT_EQ(general.id(), 0);
    ASSERT_EQ(general.count(), 3);
    expectItem(*general.item(0), 0, 120, u"s", 60, 1000);
    expectItem(*general.item(1), 1, 2, u"s", 2, 1000);
    expectItem(*general.item(2), 6, 1, u"\u03A9", 0, 655.34f);

    const std::vector<float> hertz = {128, 140, 53, 95, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<float> metres = {20, 25, 30, 0.5f, 1, 1.5f, 2, 2.5f, 3, 5, 10, 15, 0, 0, 0};
    const InstrumentSetupBank& frequencies = *setup.bank(1);
    const InstrumentSetupBank& distances = *setup.bank(2);
    EXPECT_EQ(frequencies.id(), 4);
    EXPECT_EQ(distances.id(), 3);
    ASSERT_EQ(frequencies.count(), 15);
    ASSERT_EQ(distances.count(), 15);
    for (int k = 0; k < 15; ++k) {
        // The factory's 53 Hz lies below what a user may enter, so the defaults allow it.
        expectItem(*frequencies.item(k), 5, hertz[k], u"Hz", 53, 140);
        expectItem(*distances.item(k), 4, metres[k], u"m", 0.5f, 30);
    }
}

TEST(Mx330TranslatorSetup, EncodesTheDefaultsAsTheFactoryCountsInSealedBlocks) {
    Mx330Translator defaults;
    Mx330Translator empty;
    InstrumentSetup setup;
    defaults.defaultSetup(setup);
    defaults.encodeSetup(setup);
    empty.encodeSetup(InstrumentSetup());

    for (const Mx330Translator* translator : {&defaults, &empty}) {
        EXPECT_EQ(words(*translator, 8064, 15), factoryFrequencies);
        EXPECT_EQ(words(*translator, 8096, 15), factoryDistances);
        EXPECT_EQ(words(*translator, 8128, 3), (std::vector<int>{6000, 100, 100}));
        EXPECT_EQ(words(*translator, 8134, 12), std::vector<int>(12, 0));
        EXPECT_EQ(words(*translator, 8160, 16), std::vector<int>(16, 0xFFFF));
        std::uint8_t block[32];
        for (const int position : {8064, 8096, 8128}) {
            translator->copyOut(block, position, 32);
            EXPECT_EQ(fcs16(block, 32), fcs16Residue) << position;
        }
    }
}

TEST(Mx330TranslatorSetup, TruncatesFrequenciesAndTheBeepLimitAndRoundsDistances) {
    InstrumentSetup setup;
    auto general = group(0, 6, {1.999f});
    general->add(std::make_unique<InstrumentSetupItem>(0, 30, u"s", 60, 1000, true));
    setup.add(std::move(general));
    setup.add(group(4, 5, {128.9f, 59, 140, 0}));
    setup.add(group(3, 4, {2.25f, 2.24f, 0.5f, 30, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 9, 9}));
    Mx330Translator translator;
    translator.encodeSetup(setup);
    EXPECT_EQ(words(translator, 8064, 5), (std::vector<int>{128, 59, 140, 0, 0}));
    EXPECT_EQ(words(translator, 8096, 15),
              (std::vector<int>{23, 22, 5, 300, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));
    // The backlight item is missing and keeps its factory count.
    EXPECT_EQ(words(translator, 8128, 3), (std::vector<int>{3000, 100, 199}));
}

// A beep limit the word cannot hold is refused, not stored as its largest count.
TEST(Mx330TranslatorSetup, TheBeepLimitStaysWithinTheWord) {
    Mx330Translator translator;
    InstrumentSetup setup;
    translator.defaultSetup(setup);
    InstrumentSetupItem& limit = *setup.bank(0)->item(2);
    EXPECT_FALSE(limit.accepts(1000));
    EXPECT_FALSE(limit.accepts(655.35f));
    limit.setValue(655.34f);
    translator.encodeSetup(setup);
    EXPECT_EQ(translator.wordAt(8132), 65534);
}

TEST(Mx330TranslatorSetup, DecodesTheSetupArea) {
    Mx330Image image;
    image.powerOffTime(50000);
    image.backlightOffTime(1500);
    image.beepLimit(65535);
    image.frequency(0, 94);
    image.distance(0, 25);
    image.distance(1, -1);
    Mx330Translator translator;
    test::load(translator, image);
    InstrumentSetup setup;
    translator.decodeSetup(setup);

    ASSERT_EQ(setup.count(), 3);
    const InstrumentSetupBank& general = *setup.bank(0);
    ASSERT_EQ(general.count(), 3);
    expectItem(*general.item(0), 0, 1000, u"s", 60, 1000);
    expectItem(*general.item(1), 1, 30, u"s", 2, 1000);
    expectItem(*general.item(2), 6, 655.35f, u"\u03A9", 0, 655.34f);
    EXPECT_FALSE(general.item(2)->inRange());
    const InstrumentSetupBank& frequencies = *setup.bank(1);
    EXPECT_EQ(frequencies.id(), 4);
    ASSERT_EQ(frequencies.count(), 15);
    expectItem(*frequencies.item(0), 5, 94, u"Hz", 59, 140);
    expectItem(*frequencies.item(14), 5, -1, u"Hz", 59, 140);
    EXPECT_FALSE(frequencies.item(14)->inRange());
    const InstrumentSetupBank& distances = *setup.bank(2);
    EXPECT_EQ(distances.id(), 3);
    ASSERT_EQ(distances.count(), 15);
    expectItem(*distances.item(0), 4, 2.5f, u"m", 0.5f, 30);
    expectItem(*distances.item(1), 4, -0.1f, u"m", 0.5f, 30);
}

// The factory's 53 Hz lies below what a user may enter; read back from an instrument that
// still holds it, it keeps the factory's range, so those settings can be written again.
TEST(Mx330TranslatorSetup, AFrequencyOnlyTheFactoryUsesKeepsItsRange) {
    Mx330Image image;
    const int hertz[] = {53, 58, 52, 59};
    const float minimum[] = {53, 53, 59, 59};
    for (int k = 0; k < 4; ++k) {
        image.frequency(k, hertz[k]);
    }
    Mx330Translator translator;
    test::load(translator, image);
    InstrumentSetup setup;
    translator.decodeSetup(setup);
    const InstrumentSetupBank& frequencies = *setup.findBank(4);
    for (int k = 0; k < 4; ++k) {
        expectItem(*frequencies.item(k), 5, hertz[k], u"Hz", minimum[k], 140);
    }
}

TEST(Mx330TranslatorSetup, DecodeThenEncodeKeepsCountsSinglePrecisionHolds) {
    // Every count survives, the truncated times and beep limit too (the power-off time from
    // its one-minute minimum).
    for (int i = 0; i < 65536; ++i) {
        Mx330Image image;
        for (int k = 0; k < 15; ++k) {
            image.frequency(k, (15 * i + k) % 32768);
            image.distance(k, 32767 - (15 * i + k) % 32768);
        }
        image.powerOffTime(3000 + i % 62536);
        image.backlightOffTime(i);
        image.beepLimit(65535 - i);
        Mx330Translator reader;
        test::load(reader, image);
        InstrumentSetup setup;
        reader.decodeSetup(setup);
        Mx330Translator writer;
        writer.encodeSetup(setup);
        ASSERT_EQ(words(writer, 8064, 15), words(reader, 8064, 15)) << i;
        ASSERT_EQ(words(writer, 8096, 15), words(reader, 8096, 15)) << i;
        ASSERT_EQ(words(writer, 8128, 3), words(reader, 8128, 3)) << i;
    }
}

}  // namespace
}  // namespace kadenza
