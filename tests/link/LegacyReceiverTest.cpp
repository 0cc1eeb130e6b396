#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeLine.h"
#include "link/LegacyReceiver.h"
#include "model/PlainTextExport.h"
#include "samples/LegacyFrameBuilder.h"
#include "support/RecordingReporter.h"
#include "support/SampleData.h"
#include "translators/LegacyFrame.h"

namespace kadenza {
namespace {

using test::FakeLine;
using test::RecordingReporter;
using Bytes = std::vector<std::uint8_t>;
using Events = std::vector<std::string>;

std::string decoded(const Bytes& frame) {
    InstrumentData data;
    decodeLegacyFrame(frame.data(), data);
    return plainText(data);
}

class LegacyReceiverTest : public ::testing::Test {
  protected:
    Events lastEvents(std::size_t count) const {
        const Events& events = reporter.events();
        return Events(events.end() - static_cast<std::ptrdiff_t>(count), events.end());
    }

    FakeLine line;
    RecordingReporter reporter;
    const Bytes frame = samples::legacySample().bytes();
    InstrumentData data;
};

TEST_F(LegacyReceiverTest, WaitsForTheStartByteThenDecodes) {
    line.arrive({0x00, FakeLine::nothing, 0x55, FakeLine::nothing, 0x41});
    line.arrive(frame);

    EXPECT_TRUE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(plainText(data), decoded(frame));
    EXPECT_TRUE(line.sent().empty());
    EXPECT_EQ(reporter.milestones(), (Events{"show Mx310.1", "hide"}));
    EXPECT_EQ(reporter.events().front(), "progress 0");
    const std::vector<int>& progress = reporter.progress();
    ASSERT_EQ(progress.size(), 1u + legacyFrameSize - 1);
    EXPECT_EQ(progress[1], 0);
    EXPECT_EQ(progress[6], 1);
    EXPECT_EQ(progress[530], 100);
    EXPECT_EQ(progress[531], 100);
}

TEST_F(LegacyReceiverTest, PortThatGoesAwayWhileWaitingFails) {
    line.arrive({0x00, FakeLine::nothing});
    line.vanishWhenDone();

    EXPECT_FALSE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(lastEvents(2), (Events{"hide", "failure TransmissionFailed"}));
}

TEST_F(LegacyReceiverTest, StartByteInsideTheFrameIsData) {
    const Bytes withA =
        samples::legacySample().byte(0, 0x41).byte(16, 0x41).record(3, 0x41, 6).seal().bytes();
    line.arrive({0x41});
    line.arrive(withA);

    EXPECT_TRUE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(plainText(data), decoded(withA));
    EXPECT_EQ(line.pending(), 0);
}

TEST_F(LegacyReceiverTest, BadChecksumFailsAndKeepsTheContainer) {
    const std::unique_ptr<InstrumentData> kept = test::sampleData();
    const std::string before = plainText(*kept);
    line.arrive({0x41});
    line.arrive(samples::legacySample().byte(100, 0x12).bytes());

    EXPECT_FALSE(receiveLegacyTransfer(line, *kept, reporter));
    EXPECT_EQ(lastEvents(2), (Events{"hide", "failure TransmissionFailed"}));
    EXPECT_EQ(plainText(*kept), before);
}

// The empty reads count over the whole frame, not per byte.
TEST_F(LegacyReceiverTest, EleventhEmptyReadIsToleratedTheTwelfthFails) {
    const auto receiveWithGaps = [this](int firstGap, int secondGap) {
        FakeLine gappy;
        gappy.arrive({0x41});
        gappy.silence(firstGap);
        gappy.arrive(Bytes(frame.begin(), frame.begin() + 300));
        gappy.silence(secondGap);
        gappy.arrive(Bytes(frame.begin() + 300, frame.end()));
        RecordingReporter gappyReporter;
        InstrumentData gappyData;
        return receiveLegacyTransfer(gappy, gappyData, gappyReporter) &&
               plainText(gappyData) == decoded(frame);
    };
    EXPECT_TRUE(receiveWithGaps(6, 5));
    EXPECT_FALSE(receiveWithGaps(6, 6));
}

TEST_F(LegacyReceiverTest, MissingLastByteFailsAfterTwelveEmptyReads) {
    line.arrive({0x41});
    line.arrive(Bytes(frame.begin(), frame.end() - 1));

    EXPECT_FALSE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(line.reads(), 1 + legacyFrameSize - 1 + 12);
    EXPECT_EQ(lastEvents(2), (Events{"hide", "failure TransmissionFailed"}));
}

TEST_F(LegacyReceiverTest, CancelWhileWaitingForTheInstrument) {
    reporter.cancelAtCheck(5);

    EXPECT_FALSE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(reporter.events(),
              (Events{"progress 0", "show Mx310.1", "hide", "failure Cancelled"}));
    EXPECT_EQ(line.reads(), 5);
}

TEST_F(LegacyReceiverTest, CancelInsideTheFrame) {
    line.arrive({0x41});
    line.arrive(frame);
    // One question before the start byte, then one before each frame byte.
    reporter.cancelAtCheck(1 + 100);

    EXPECT_FALSE(receiveLegacyTransfer(line, data, reporter));
    EXPECT_EQ(lastEvents(3), (Events{"progress 18", "hide", "failure Cancelled"}));
    EXPECT_EQ(data.count(), 0);
}

}  // namespace
}  // namespace kadenza
