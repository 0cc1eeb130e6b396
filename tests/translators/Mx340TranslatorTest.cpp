#include <gtest/gtest.h>

#include "DecodedImage.h"

#include <set>
#include <vector>

#include "samples/Mx340Image.h"
#include "translators/Mx340Translator.h"

namespace kadenza {
namespace {

using samples::MemoryImage;
using samples::Mx340Image;

void decodeInto(const MemoryImage& image, InstrumentData& data) {
    Mx340Translator translator;
    test::load(translator, image);
    translator.decodeData(data);
}

std::unique_ptr<InstrumentData> decode(const MemoryImage& image) {
    auto data = std::make_unique<InstrumentData>();
    decodeInto(image, *data);
    return data;
}

std::vector<int> bankNumbers(const InstrumentData& data) {
    std::vector<int> numbers;
    for (int i = 0; i < data.count(); ++i) {
        numbers.push_back(data.bank(i)->number());
    }
    return numbers;
}

// The quantity codes of a bank's items after its number item.
std::vector<int> symbols(const InstrumentBank& bank) {
    std::vector<int> codes;
    for (int i = 1; i < bank.count(); ++i) {
        codes.push_back(bank.item(i)->symbol());
    }
    return codes;
}

// One measurement record alone under record number 1: its main reading, the quantity of the
// second item it makes from the other count (0: none), and the reading at full scale.
struct Reading {
    const char* meaning;
    int type;
    int range;
    bool inCountB;
    int count;
    int symbol;
    double value;
    double fullScale;
    int second;
};

const Reading readings[] = {
    {"mains voltage, 0.1 V; frequency", 1, 0, false, 2304, 1, 230.4, 399.9, 8},
    {"current consumption, 10 mA; frequency", 2, 0, false, 868, 12, 8.68, 19.99, 8},
    {"insulation, 100 kOhm steps; test voltage", 3, 2, false, 1500, 15, 150e6, 399.9e6, 22},
    {"insulation, 10 kOhm steps", 3, 3, false, 1850, 15, 18.5e6, 39.99e6, 22},
    {"insulation, 1 kOhm steps", 3, 4, false, 920, 15, 920e3, 3.999e6, 22},
    {"earth resistance, 1 mOhm range", 4, 4, false, 3500, 7, 3.5, 3.999, 0},
    {"earth resistance, 10 mOhm range", 4, 2, false, 150, 7, 1.5, 19.99, 0},
    {"earth resistance, any other range byte", 4, 0, false, 150, 7, 1.5, 19.99, 0},
    {"active power, W; power factor", 5, 0, false, 1995, 13, 1995, 3999, 23},
    {"apparent power, VA; power factor", 6, 0, false, 1998, 14, 1998, 3999, 23},
    {"temperature, 0.1 degC", 8, 0, false, 412, 16, 41.2, 399.9, 0},
    {"speed per minute, in count B", 9, 0, true, 2850, 17, 2850, 9999, 0},
    {"protective-conductor current, 10 uA, in B", 10, 0, true, 42, 18, 0.42e-3, 19.99e-3, 0},
    {"touch current, 1 uA, in B; touch voltage", 11, 0, true, 85, 19, 85e-6, 3.999e-3, 25},
    {"substituted leakage current, 10 uA", 12, 0, false, 95, 20, 0.95e-3, 19.99e-3, 0},
    {"differential leakage current, 10 uA", 13, 0, false, 38, 21, 0.38e-3, 19.99e-3, 0},
    {"earth resistance, 1 mOhm; test voltage", 14, 0, false, 85, 7, 0.085, 0.999, 24},
    {"frequency, 0.1 Hz", 16, 0, false, 500, 8, 50.0, 199.9, 0},
    {"power factor, hundredths", 17, 0, false, 83, 23, 0.83, 9.99, 0},
    {"earth test voltage, 10 mV", 18, 0, false, 145, 24, 1.45, 9.99, 0},
    {"insulation test voltage, V", 19, 0, false, 500, 22, 500, 9999, 0},
    {"touch voltage, 1 mV", 20, 0, false, 1250, 25, 1.25, 9.999, 0},
};

// The other count and range byte hold noise that the main reading must not pick up.
std::unique_ptr<InstrumentData> decodeReading(const Reading& reading, int count) {
    constexpr int noise = 7;
    constexpr int noiseRange = 9;
    Mx340Image image;
    image.recordNumber(0, 1);
    if (reading.inCountB) {
        image.record(1, reading.type, noise, count, noiseRange, reading.range);
    } else {
        image.record(1, reading.type, count, noise, reading.range, noiseRange);
    }
    return decode(image);
}

TEST(Mx340Translator, EveryKindReadsItsQuantityScaleFullScaleAndSecondItem) {
    for (const Reading& reading : readings) {
        SCOPED_TRACE(reading.meaning);
        const auto data = decodeReading(reading, reading.count);
        const InstrumentBank& bank = *data->bank(0);
        const InstrumentItem& item = *bank.item(1);
        EXPECT_EQ(item.symbol(), reading.symbol);
        EXPECT_DOUBLE_EQ(item.value(), reading.value);
        EXPECT_TRUE(item.isPrimary());
        EXPECT_FALSE(item.isOver());
        EXPECT_FALSE(item.note());
        EXPECT_EQ(bank.count(), reading.second ? 3 : 2);
        if (reading.second) {
            EXPECT_EQ(bank.item(2)->symbol(), reading.second);
            EXPECT_FALSE(bank.item(2)->isPrimary());
        }

        for (const int sign : {1, -1}) {
            const auto beyond = decodeReading(reading, sign * 10000);
            EXPECT_DOUBLE_EQ(beyond->bank(0)->item(1)->value(), sign * reading.fullScale);
            EXPECT_TRUE(beyond->bank(0)->item(1)->isOver());
        }
    }
}

TEST(Mx340Translator, SecondCountsUseTheirOwnScaleAndLimit) {
    Mx340Image image;
    image.recordNumber(0, 1);
    image.mainsVoltage(1, 2304, 5000);
    image.touchCurrent(2, 1200, 150);
    image.protectiveResistanceAndVoltage(3, 85, 1200);
    image.insulation(4, Mx340Image::tenKiloohms, -20, 12000);
    image.record(5, Mx340Image::insulationType, 1500, 500, 5, 0);
    auto data = decode(image);
    const InstrumentBank& bank = *data->bank(0);
    struct Expected {
        double value;
        bool primary;
        bool over;
    };
    const std::vector<Expected> expected = {
        {230.4, true, false},  {199.9, false, true}, {0.0012, true, false},
        {0.15, false, false},  {0.085, true, false}, {9.99, false, true},
        {-200e3, true, false}, {9999, false, true},  {500, false, false}};
    ASSERT_EQ(bank.count(), 1 + static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(bank.item(i + 1)->value(), expected[i].value);
        EXPECT_EQ(bank.item(i + 1)->isPrimary(), expected[i].primary);
        EXPECT_EQ(bank.item(i + 1)->isOver(), expected[i].over);
    }
}

TEST(Mx340Translator, RecordNumbersKeyNumberedBanks) {
    Mx340Image image;
    image.frequency(0, 500);
    image.recordNumber(1, 10005);
    image.temperature(2, 412);
    image.recordNumber(3, -1);
    image.recordNumber(4, 7);
    image.recordNumber(5, 10005);
    image.speed(6, 2850);
    auto data = decode(image);
    EXPECT_EQ(bankNumbers(*data), (std::vector<int>{-1, 0, 7, 10005}));
    EXPECT_EQ(data->bank(3)->text(1), "No. 10005");
    EXPECT_EQ(data->bank(3)->item(0)->symbol(), 30);
    EXPECT_EQ(symbols(*data->bank(3)), (std::vector<int>{16, 17}));
    EXPECT_EQ(symbols(*data->bank(2)), std::vector<int>{});
}

TEST(Mx340Translator, OnlyPositiveTypeBytesAreInUseAndOnlyFifteenNumbers) {
    Mx340Image image;
    image.record(0, 0x00, 2304, 500);
    image.record(1, 0x81, 2304, 500);
    image.recordNumber(2, 4);
    image.record(3, 0x21, 2304, 500);
    image.record(4, 0x8F, 9, 0);
    image.record(5, 0x2F, 8, 0);
    for (const int unknownKind : {7, 21, 31}) {
        image.record(5 + unknownKind, unknownKind, 100, 100, 4, 4);
    }
    auto data = decode(image);
    EXPECT_EQ(bankNumbers(*data), std::vector<int>{4});
    EXPECT_EQ(symbols(*data->bank(0)), (std::vector<int>{1, 8}));

    Mx340Image alone;
    alone.record(0, 0x2F, 8, 0);
    EXPECT_EQ(bankNumbers(*decode(alone)), std::vector<int>{0});
}

TEST(Mx340Translator, ReadsAllThousandRecordsAndNothingAfter) {
    Mx340Image image;
    image.recordNumber(Mx340Image::slots - 1, 999);
    image.recordNumber(Mx340Image::slots, 1000);
    InstrumentData data;
    data.add(std::make_unique<InstrumentBank>(3));
    data.bank(0)->add(std::make_unique<InstrumentItem>(3, 0, false, false));
    decodeInto(image, data);
    EXPECT_EQ(bankNumbers(data), std::vector<int>{999});
}

TEST(Mx340Translator, DecodingTheSetupOnlyClearsIt) {
    InstrumentSetup setup;
    setup.add(std::make_unique<InstrumentSetupBank>(1));
    Mx340Translator().decodeSetup(setup);
    EXPECT_EQ(setup.count(), 0);
}

TEST(Mx340Translator, SampleHoldsEveryQuantityOfTheModel) {
    auto data = decode(samples::mx340Sample());
    EXPECT_EQ(bankNumbers(*data), (std::vector<int>{1, 2, 3, 5, 20417}));
    std::set<int> seen;
    int over = 0;
    for (int b = 0; b < data->count(); ++b) {
        const std::vector<int> codes = symbols(*data->bank(b));
        seen.insert(codes.begin(), codes.end());
        for (int i = 0; i < data->bank(b)->count(); ++i) {
            over += data->bank(b)->item(i)->isOver() ? 1 : 0;
        }
    }
    EXPECT_EQ(seen,
              (std::set<int>{1, 7, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(over, 2);
}

}  // namespace
}  // namespace kadenza
