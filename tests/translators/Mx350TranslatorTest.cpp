#include <gtest/gtest.h>

#include "DecodedImage.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "samples/Mx350Image.h"
#include "translators/Mx350Translator.h"

namespace kadenza {
namespace {

using samples::Mx350Image;

// Quantity codes as the quantity table numbers them.
constexpr int uLn = 1, uLpe = 2, zS = 3, uTouch = 4, iTrip = 5, tTrip = 6, rPe = 7, freq = 8,
              tTrip5x = 11, rIso = 15, deltaU = 25, iK = 26, u = 29, zI = 33;

// The items of the only bank, without its number item.
std::vector<InstrumentItem> itemsOf(const Mx350Image& image) {
    return test::measuredItems<Mx350Translator>(image);
}

std::vector<InstrumentItem> recordItems(int kind, int a, int b, int c) {
    Mx350Image image;
    image.record(0, 1, kind, a, b, c);
    return itemsOf(image);
}

struct Expected {
    int symbol;
    double value;
    std::optional<std::string> note;
};

struct Row {
    int kind, a, b, c;
    std::vector<Expected> items;
};

// RCD rows are taken at a 30 mA device (code 6304), tested at its rated current.
const Row rows[] = {
    {0, 231, 0, 50, {{u, 231, {}}, {freq, 50, {}}}},
    {1, 230, 229, 400, {{uLn, 230, {}}, {uLpe, 229, {}}, {u, 400, {}}}},
    {2, 232, 231, 401, {{uLn, 232, {}}, {uLpe, 231, {}}, {u, 401, {}}}},
    {3, 45, 511, 0, {{zS, 0.45, {}}, {iK, 511, {}}}},
    {4, 45, 5111, 0, {{zS, 0.45, {}}, {iK, 511.1, {}}}},
    {5, 12, 192, 0, {{zS, 1.2, {}}, {iK, 192, {}}}},
    {6, 12, 1917, 0, {{zS, 1.2, {}}, {iK, 191.7, {}}}},
    {7, 2, 115, 0, {{zS, 2, {}}, {iK, 115, {}}}},
    {8, 2, 1150, 0, {{zS, 2, {}}, {iK, 115, {}}}},
    {9, 19, 1210, 0, {{zI, 0.19, {}}, {iK, 1210, {}}}},
    {10, 131, 176, 0, {{zS, 1.31, "-"}, {iK, 176, {}}}},
    {11, 131, 1760, 0, {{zS, 1.31, "-"}, {iK, 176, {}}}},
    {12, 12, 0, 0, {{rPe, 0.12, "I<200mA"}}},
    {13, 9, 0, 0, {{rPe, 0.09, "I>200mA"}}},
    {14, 4800, 0, 0, {{rIso, 4.8e6, {}}}},
    {15, 4800, 0, 0, {{rIso, 48e6, {}}}},
    {16, 14, 470, 6304, {{uTouch, 1.4, "30mA "}, {zS, 47, {}}}},
    {17, 14, 47, 6304, {{uTouch, 1.4, "30mA "}, {zS, 47, {}}}},
    {18, 24, 14, 6304, {{tTrip, 0.024, "30mA AC +"}, {uTouch, 1.4, {}}}},
    {19, 24, 14, 6304, {{tTrip, 0.024, "30mA AC -"}, {uTouch, 1.4, {}}}},
    {20, 24, 14, 6304, {{tTrip, 0.024, "30mA A +"}, {uTouch, 1.4, {}}}},
    {21, 24, 14, 6304, {{tTrip, 0.024, "30mA A -"}, {uTouch, 1.4, {}}}},
    {22, 219, 10, 6304, {{iTrip, 0.0219, "30mA AC"}, {deltaU, 1, {}}}},
    {23, 219, 10, 6304, {{iTrip, 0.219, "30mA AC"}, {deltaU, 1, {}}}},
    {24, 219, 10, 6304, {{iTrip, 0.0219, "30mA A +"}, {deltaU, 1, {}}}},
    {25, 219, 10, 6304, {{iTrip, 0.219, "30mA A -"}, {deltaU, 1, {}}}},
    {26, 219, 10, 6304, {{iTrip, 0.0219, "30mA A +"}, {deltaU, 1, {}}}},
    {27, 219, 10, 6304, {{iTrip, 0.219, "30mA A -"}, {deltaU, 1, {}}}},
};

TEST(Mx350Translator, EveryRecordKindGivesItsReadings) {
    for (const Row& row : rows) {
        const auto items = recordItems(row.kind, row.a, row.b, row.c);
        ASSERT_EQ(items.size(), row.items.size()) << "kind " << row.kind;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string where =
                "kind " + std::to_string(row.kind) + " item " + std::to_string(i);
            EXPECT_EQ(items[i].symbol(), row.items[i].symbol) << where;
            EXPECT_DOUBLE_EQ(items[i].value(), row.items[i].value) << where;
            EXPECT_EQ(items[i].note(), row.items[i].note) << where;
            EXPECT_EQ(items[i].isPrimary(), i == 0) << where;
            EXPECT_FALSE(items[i].isOver()) << where;
        }
    }
}

struct Limits {
    int kind;
    int a;
    int b;  // 0: the kind makes no item of count B
};

// Each kind's counts stop where its display does.
const Limits limits[] = {
    {0, 999, 0},      {1, 999, 999},    {2, 999, 999},   {3, 1999, 9999}, {4, 1999, 9999},
    {5, 1999, 9999},  {6, 1999, 9999},  {7, 1999, 9999}, {8, 1999, 9999}, {9, 1999, 9999},
    {10, 1999, 9999}, {11, 1999, 9999}, {12, 1999, 0},   {13, 1999, 0},   {14, 9999, 0},
    {15, 9999, 0},    {16, 999, 1999},  {17, 999, 9999}, {18, 999, 999},  {19, 999, 999},
    {20, 999, 999},   {21, 999, 999},   {22, 999, 999},  {23, 999, 999},  {24, 999, 999},
    {25, 999, 999},   {26, 999, 999},   {27, 999, 999},
};

TEST(Mx350Translator, CountsAAndBAreClampedToTheirKindsLimitsEachWithItsOwnFlag) {
    for (const Limits& limit : limits) {
        const std::string where = "kind " + std::to_string(limit.kind);
        for (const int sign : {1, -1}) {
            const auto inRange = recordItems(limit.kind, sign * limit.a, sign * limit.b, 0);
            const auto overA = recordItems(limit.kind, sign * (limit.a + 1), sign * limit.b, 0);
            ASSERT_FALSE(inRange.empty()) << where;
            ASSERT_EQ(overA.size(), inRange.size()) << where;
            EXPECT_FALSE(inRange[0].isOver()) << where;
            EXPECT_TRUE(overA[0].isOver()) << where;
            EXPECT_EQ(overA[0].value(), inRange[0].value()) << where;
            if (limit.b != 0) {
                const auto overB = recordItems(limit.kind, sign * limit.a, sign * (limit.b + 1), 0);
                EXPECT_FALSE(inRange[1].isOver()) << where;
                EXPECT_FALSE(overA[1].isOver()) << where << ": A's flag stays with A";
                EXPECT_FALSE(overB[0].isOver()) << where << ": B's flag stays with B";
                EXPECT_TRUE(overB[1].isOver()) << where;
                EXPECT_EQ(overB[1].value(), inRange[1].value()) << where;
            }
        }
    }
}

TEST(Mx350Translator, CountCIsNeverClamped) {
    const auto frequency = recordItems(Mx350Image::voltageAndFrequency, 230, 0, 5004);
    EXPECT_EQ(frequency[1].value(), 5004);
    EXPECT_FALSE(frequency[1].isOver());
    const auto voltages = recordItems(Mx350Image::mainsVoltages, 230, 230, -20000);
    EXPECT_EQ(voltages[2].value(), -20000);
    EXPECT_FALSE(voltages[2].isOver());
}

struct RatedCode {
    int code;
    const char* text;
    bool fiveTimes;
};

const RatedCode ratedCodes[] = {
    {1004, "100mA ", false}, {1007, "100mA ", true}, {1067, "10mA ", true},
    {3004, "300mA ", false}, {3067, "30mA ", true},  {5004, "500mA ", false},
    {6104, "10mA ", false},  {6304, "30mA ", false}, {1234, "", false},
    {0, "", false},          {-1, "", false},
};

TEST(Mx350Translator, RatedCurrentCodeStartsTheNoteAndNamesTheFiveTimesTest) {
    for (const RatedCode& rated : ratedCodes) {
        const std::string code = std::to_string(rated.code);
        const auto tripTime = recordItems(Mx350Image::tripTimeAcPlus, 250, 123, rated.code);
        ASSERT_EQ(tripTime.size(), 2u);
        EXPECT_EQ(tripTime[0].symbol(), rated.fiveTimes ? tTrip5x : tTrip) << code;
        EXPECT_DOUBLE_EQ(tripTime[0].value(), 0.25) << code;
        EXPECT_EQ(tripTime[0].note(), std::string(rated.text) + "AC +") << code;
        EXPECT_DOUBLE_EQ(tripTime[1].value(), 12.3) << code;

        const auto touch = recordItems(Mx350Image::touchVoltageOhm, 14, 47, rated.code);
        EXPECT_EQ(touch[0].note(), std::string(rated.text)) << code << ": empty, not absent";
        const auto current =
            recordItems(Mx350Image::tripCurrentAcTenthMilliAmp, 150, 12, rated.code);
        EXPECT_EQ(current[0].symbol(), iTrip) << "only trip times tell the five-times test";
        EXPECT_EQ(current[0].note(), std::string(rated.text) + "AC") << code;
    }
}

TEST(Mx350Translator, UnknownKindsLeaveTheBankWithItsNumberOnly) {
    for (const int kind : {28, 127, -1, -128}) {
        Mx350Image image;
        image.record(0, 4, kind, 230, 230, 50);
        const auto data = test::decodeWith<Mx350Translator>(image);
        ASSERT_EQ(data->count(), 1) << kind;
        EXPECT_EQ(data->bank(0)->number(), 4);
        EXPECT_EQ(data->bank(0)->count(), 1) << kind;
    }
}

TEST(Mx350Translator, FourSlotsShareABlockBehindTheirBankBytes) {
    Mx350Image image;
    // Slot 5 is the second of block 1: bank byte 33, record at 43 to 49.
    image.setByte(33, 2);
    image.setByte(43, Mx350Image::insulationKiloOhm);
    image.setWord(44, 4800);
    // Slot 999, the last: bank byte 7971, record at 7993 to 7999.
    image.setByte(7971, 0xFE);
    image.setByte(7993, Mx350Image::conductorHighCurrent);
    image.setWord(7994, 9);
    // Past the last block of slots, bytes that would read as bank bytes mean nothing.
    image.setByte(8000, 6);

    const auto data = test::decodeWith<Mx350Translator>(image);
    ASSERT_EQ(data->count(), 2);
    EXPECT_EQ(data->bank(0)->number(), 3);
    EXPECT_EQ(data->bank(0)->item(1)->value(), 4.8e6);
    EXPECT_EQ(data->bank(1)->number(), 255);
    EXPECT_DOUBLE_EQ(data->bank(1)->item(1)->value(), 0.09);
}

TEST(Mx350Translator, HasNoSettingsToShow) {
    test::expectNoSettings<Mx350Translator>();
}

TEST(Mx350Translator, SampleHoldsAnInspectionOfFourBanks) {
    const auto data = test::decodeWith<Mx350Translator>(samples::mx350Sample());
    const auto [banks, records, over] = test::contentsOf(*data);
    EXPECT_EQ(banks, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(records, 34) << "every record opens with a reading";
    EXPECT_EQ(over, 2);
}

}  // namespace
}  // namespace kadenza
