#include <gtest/gtest.h>

#include "DecodedImage.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "samples/Mx320Image.h"
#include "translators/Mx320Translator.h"

namespace kadenza {
namespace {

using samples::Mx320Image;

// Quantity codes as the quantity table numbers them.
constexpr int uLn = 1, uLpe = 2, zS = 3, uTouch = 4, iTrip = 5, tTrip = 6, rPe = 7, freq = 8,
              iTest = 10, tTrip5x = 11, iK = 26;

// The items of the only bank, without its number item.
std::vector<InstrumentItem> itemsOf(const Mx320Image& image) {
    return test::measuredItems<Mx320Translator>(image);
}

struct Reading {
    int kind;
    int symbol;
    double step;
};

// What count A means for each record kind. The RCD kinds 9 to 16 also carry the rated
// current from count C as their note.
const Reading readings[] = {
    {0, uLn, 1},          {1, uLpe, 1},      {2, uLn, 1},        {3, freq, 0.1},
    {4, zS, 0.01},        {5, zS, 0.1},      {6, zS, 1},         {7, zS, 0.01},
    {8, iTest, 0.001},    {9, uTouch, 0.1},  {10, iTrip, 1e-6},  {11, iTrip, 1e-6},
    {12, iTrip, 1e-7},    {13, iTrip, 1e-7}, {14, tTrip, 0.001}, {15, tTrip, 0.001},
    {16, tTrip5x, 0.001}, {20, iK, 1},       {21, iK, 0.1},      {22, iK, 0.01},
    {23, iK, 0.001},      {24, rPe, 0.01},
};

TEST(Mx320Translator, CountAOfEveryKindIsAPrimaryReading) {
    for (const Reading& reading : readings) {
        const bool rcd = reading.kind >= 9 && reading.kind <= 16;
        for (const int count : {1500, -1999, 2000, -2000}) {
            Mx320Image image;
            image.rcdRecord(0, 1, reading.kind, Mx320Image::rated100mA, count, 0);
            const auto items = itemsOf(image);
            ASSERT_FALSE(items.empty()) << reading.kind;
            const InstrumentItem& first = items.front();
            const int clamped = count >= 2000 ? 1999 : count <= -2000 ? -1999 : count;
            EXPECT_EQ(first.symbol(), reading.symbol) << reading.kind;
            EXPECT_DOUBLE_EQ(first.value(), clamped * reading.step) << reading.kind;
            EXPECT_EQ(first.isOver(), clamped != count) << reading.kind << " " << count;
            EXPECT_TRUE(first.isPrimary()) << reading.kind;
            EXPECT_EQ(first.note(), rcd ? std::optional<std::string>("100 mA") : std::nullopt)
                << reading.kind;
        }
    }
}

TEST(Mx320Translator, KindsWithoutAReadingInALeaveOnlyTheVoltagesOfBAndC) {
    for (const int kind : {17, 18, 19, 25, 31}) {
        Mx320Image image;
        image.record(0, 1, kind, 3, 100, 231, 229);
        const auto items = itemsOf(image);
        ASSERT_EQ(items.size(), 2u) << kind;
        for (const InstrumentItem& item : items) {
            EXPECT_EQ(item.symbol(), uLn);
            EXPECT_FALSE(item.isPrimary()) << "no record opens without its first reading";
        }
        EXPECT_EQ(items[0].value(), 231);
        EXPECT_EQ(items[1].value(), 229);
    }
}

struct Companion {
    int kind;
    int range;
    int symbol;
    double step;
};

// What count B means: set by the record kind, for kinds up to 9 with the range selector
// choosing among four neighbouring meanings.
const Companion companions[] = {
    {0, 0, uLpe, 1},   {0, 1, uLn, 1},       {0, 2, freq, 0.1},     {0, 3, zS, 0.01},
    {1, 3, freq, 0.1}, {2, 1, uLpe, 1},      {3, 2, uLn, 1},        {3, 0, uLn, 1},
    {4, 0, iK, 1},     {5, 1, iK, 0.1},      {6, 2, iK, 0.01},      {7, 3, iK, 0.001},
    {8, 0, uLn, 1},    {8, 3, freq, 0.1},    {9, 0, zS, 0.1},       {9, 1, zS, 1},
    {9, 2, zS, 0.01},  {9, 3, iTest, 0.001}, {10, 3, uTouch, 0.1},  {16, 2, uTouch, 0.1},
    {20, 3, uLn, 1},   {23, 1, uLn, 1},      {24, 0, iTest, 0.001}, {24, 3, iTest, 0.001},
};

TEST(Mx320Translator, CountBFollowsTheKindAndRange) {
    for (const Companion& companion : companions) {
        Mx320Image image;
        image.record(0, 1, companion.kind, companion.range, 1, 2000, 0);
        const auto items = itemsOf(image);
        ASSERT_GE(items.size(), 2u) << companion.kind;
        const InstrumentItem& b = items[1];
        const std::string where =
            std::to_string(companion.kind) + "/" + std::to_string(companion.range);
        EXPECT_EQ(b.symbol(), companion.symbol) << where;
        EXPECT_DOUBLE_EQ(b.value(), 1999 * companion.step) << where;
        EXPECT_TRUE(b.isOver()) << where;
        EXPECT_FALSE(b.isPrimary()) << where;
        EXPECT_EQ(b.note(), std::nullopt) << where;
    }
}

TEST(Mx320Translator, CountCIsTheFrequencyOfAMainsRecordAndElseAVoltage) {
    Mx320Image image;
    image.record(0, 1, Mx320Image::mains, 0, 230, 229, 499)
        .record(1, 1, Mx320Image::loopCentiOhm, 0, 45, 511, -2500);
    const auto items = itemsOf(image);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[2].symbol(), freq);
    EXPECT_DOUBLE_EQ(items[2].value(), 49.9);
    EXPECT_FALSE(items[2].isPrimary());
    EXPECT_EQ(items[5].symbol(), uLn);
    EXPECT_EQ(items[5].value(), -1999);
    EXPECT_TRUE(items[5].isOver());
}

TEST(Mx320Translator, AnRcdRecordSpendsCountCOnTheRatedCurrent) {
    const std::optional<std::string> notes[] = {"6 mA",   "10 mA",  "30 mA", "100 mA",
                                                "300 mA", "500 mA", {},      {}};
    for (int index = 0; index < 8; ++index) {
        Mx320Image image;
        // Only the low three bits name the rated current.
        image.record(0, 1, Mx320Image::tripTime, 0, 24, 12, 0x7FF8 | index);
        const auto items = itemsOf(image);
        ASSERT_EQ(items.size(), 2u) << "no third item from count C";
        EXPECT_EQ(items[0].note(), notes[index]) << index;
    }
    Mx320Image image;
    image.record(0, 1, Mx320Image::tripCurrentTenthMicroAmp, 0, 1230, 14, -6);
    EXPECT_EQ(itemsOf(image).front().note(), "30 mA");
}

TEST(Mx320Translator, TypeByteSplitsIntoKindAndRangeIgnoringBit5) {
    for (const int type : {0x44, 0x64}) {
        Mx320Image image;
        image.record(0, 1, 0, 0, 45, 1917, 230);
        image.setByte(1, type);
        const auto items = itemsOf(image);
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].symbol(), zS) << "kind 4 is a loop";
        EXPECT_DOUBLE_EQ(items[1].value(), 191.7) << "range 1 gives I_K in 0.1 A";
    }
}

TEST(Mx320Translator, RecordsFillTheWholeMemoryButTheLastBlock) {
    Mx320Image image;
    image.record(0, 1, Mx320Image::mains, 0, 230, 230, 500);
    // Record 1019 at 8152, bank byte 0xFE: bank 255.
    image.setByte(8152, 0xFE);
    image.setByte(8153, Mx320Image::lineVoltage);
    image.setWord(8154, 231);
    // Bytes 8160 on look like a record but are not one.
    image.setByte(8160, 4);
    image.setByte(8161, Mx320Image::lineVoltage);
    image.record(500, 1, Mx320Image::lineVoltage, 0, 232, 0, 0);

    const auto data = test::decodeWith<Mx320Translator>(image);
    ASSERT_EQ(data->count(), 2);
    const InstrumentBank& first = *data->bank(0);
    EXPECT_EQ(first.number(), 1);
    ASSERT_EQ(first.count(), 7) << "number item and two records of three";
    EXPECT_EQ(first.item(0)->symbol(), 0);
    EXPECT_EQ(first.item(0)->value(), 1);
    EXPECT_EQ(first.item(4)->value(), 232);
    EXPECT_EQ(data->bank(1)->number(), 255);
    EXPECT_EQ(data->bank(1)->item(1)->value(), 231);
}

TEST(Mx320Translator, HasNoSettings) {
    test::expectNoSettings<Mx320Translator>();
}

TEST(Mx320Translator, SampleHoldsAnInspectionOfFourBanks) {
    const auto data = test::decodeWith<Mx320Translator>(samples::mx320Sample());
    const auto [banks, records, over] = test::contentsOf(*data);
    EXPECT_EQ(banks, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(records, 33) << "every record opens with a reading";
    EXPECT_EQ(over, 2);
}

}  // namespace
}  // namespace kadenza
