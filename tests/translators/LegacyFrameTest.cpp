#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/InstrumentData.h"
#include "samples/LegacyFrameBuilder.h"
#include "translators/LegacyFrame.h"

namespace kadenza {
namespace {

using samples::LegacyFrameBuilder;

// Quantity codes by what they measure.
constexpr int lineVoltage = 1;
constexpr int protectiveConductor = 7;
constexpr int insulation = 15;
constexpr int temperature = 16;
constexpr int protectionVoltage = 27;
constexpr int length = 28;
constexpr int voltage = 29;

TEST(LegacyFrame, ChecksumMatchesTheInstrumentsValues) {
    const std::uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(legacyCrc16(abc, 3), 0xC390);
    const std::vector<std::uint8_t> zeros(512, 0);
    EXPECT_EQ(legacyCrc16(zeros.data(), zeros.size()), 0);
}

TEST(LegacyFrame, ChecksumCoversTheRecordsOnly) {
    const std::vector<std::uint8_t> sample = samples::legacySample().bytes();
    ASSERT_EQ(sample.size(), static_cast<std::size_t>(legacyFrameSize));
    EXPECT_TRUE(legacyFrameIsValid(sample.data()));

    LegacyFrameBuilder frame = samples::legacySample();
    EXPECT_TRUE(legacyFrameIsValid(frame.byte(0, 0x55).byte(16, 1).byte(531, 9).bytes().data()));
    EXPECT_FALSE(legacyFrameIsValid(samples::legacySample().byte(17, 0x12).bytes().data()));
    EXPECT_FALSE(legacyFrameIsValid(samples::legacySample().byte(528, 0x12).bytes().data()));
    EXPECT_FALSE(legacyFrameIsValid(samples::legacySample().byte(530, 0x12).bytes().data()));
}

struct Reading {
    int kind;
    int reading;
    double value;
    int quantity;
    const char* note;
    bool over;
};

TEST(LegacyFrame, DecodesEveryKindByItsMeaning) {
    const std::vector<Reading> readings = {
        // Insulation follows the Mx310.2's rule, magnitude included.
        {0, -5, 5e3, insulation, "50V", false},
        {28, 245, 2.45e9, insulation, "500V", false},
        {36, -2500, 1.999e10, insulation, "1000V", true},
        // Kinds 6, 7, 29, 30 and 37 to 40 scale otherwise than on the Mx310.2.
        {5, 62, 62, temperature, "PT100", false},
        {6, 230, 230, voltage, nullptr, false},
        {7, -241, -24.1, voltage, nullptr, false},
        {13, 21, 0.21, protectiveConductor, nullptr, false},
        {14, 14, 1.4, protectiveConductor, nullptr, false},
        {15, 1999, 1999, protectiveConductor, nullptr, false},
        {15, 2500, 1999, protectiveConductor, nullptr, true},
        {15, -2000, -1999, protectiveConductor, nullptr, true},
        {21, -12, -12, temperature, nullptr, false},
        {23, 1043, 1043, protectionVoltage, nullptr, false},
        {29, 231, 231, lineVoltage, nullptr, false},
        {30, 1103, 110.3, lineVoltage, nullptr, false},
        {37, 1245, 12.45, length, nullptr, false},
        {38, 356, 35.6, length, nullptr, false},
        {39, 48, 48, length, nullptr, false},
        {40, 850, 0.85, length, nullptr, false},
        {41, 12, 120, length, nullptr, false},
        {47, 65, 65, temperature, "PT1000", false},
    };
    LegacyFrameBuilder frame;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        frame.record(static_cast<int>(i), readings[i].reading, readings[i].kind);
    }
    const std::vector<std::uint8_t> bytes = frame.bytes();
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Reading& expected = readings[i];
        SCOPED_TRACE("kind " + std::to_string(expected.kind));
        const auto item = decodeLegacyRecord(bytes.data() + legacyHeaderSize, static_cast<int>(i));
        ASSERT_NE(item, nullptr);
        EXPECT_DOUBLE_EQ(item->value(), expected.value);
        EXPECT_EQ(item->symbol(), expected.quantity);
        EXPECT_EQ(item->noteOrEmpty(), expected.note == nullptr ? "" : expected.note);
        EXPECT_TRUE(item->isPrimary());
        EXPECT_EQ(item->isOver(), expected.over);
    }
}

TEST(LegacyFrame, KindsWithoutAMeasurementAndRecordsOutsideTheMemoryGiveNoItem) {
    const std::vector<int> kinds = {22, 31, 42, 43, 44, 45, 46, 48, 128, 255};
    LegacyFrameBuilder frame;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        frame.record(static_cast<int>(i), 100, kinds[i]);
    }
    const std::vector<std::uint8_t> bytes = frame.bytes();
    const std::uint8_t* memory = bytes.data() + legacyHeaderSize;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(decodeLegacyRecord(memory, static_cast<int>(i)), nullptr) << kinds[i];
    }
    EXPECT_EQ(decodeLegacyRecord(memory, -1), nullptr);
    EXPECT_EQ(decodeLegacyRecord(memory, legacyRecordCount), nullptr);
}

TEST(LegacyFrame, DecodesTheFrameIntoOneBankWithoutANumberItem) {
    const std::vector<std::uint8_t> frame = LegacyFrameBuilder()
                                                .record(0, 231, 29)
                                                .record(1, 100, 22)
                                                .record(127, 18, 13)
                                                .seal()
                                                .bytes();
    InstrumentData data;
    data.add(std::make_unique<InstrumentBank>(4));
    decodeLegacyFrame(frame.data(), data);
    ASSERT_EQ(data.count(), 1);
    const InstrumentBank& bank = *data.bank(0);
    EXPECT_EQ(bank.number(), 0);
    ASSERT_EQ(bank.count(), 2);
    EXPECT_DOUBLE_EQ(bank.item(0)->value(), 231);
    EXPECT_DOUBLE_EQ(bank.item(1)->value(), 0.18);
}

TEST(LegacyFrame, SampleDecodesEveryRecordItHolds) {
    const std::vector<std::uint8_t> frame = samples::legacySample().bytes();
    InstrumentData data;
    decodeLegacyFrame(frame.data(), data);
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(data.bank(0)->count(), 16);
}

}  // namespace
}  // namespace kadenza
