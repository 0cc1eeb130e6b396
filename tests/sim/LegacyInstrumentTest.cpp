#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "LineBytes.h"
#include "PtyClient.h"
#include "RunningInstrument.h"
#include "samples/SampleImages.h"

namespace kadenza::test {
namespace {

// Long enough for the instrument to notice the open, let the program set up, and send.
constexpr int transmissionWaitMs = 2000;

Bytes sampleTransmission() {
    Bytes transmission{'A'};
    const Bytes frame = samples::sampleLegacyFrame();
    transmission.insert(transmission.end(), frame.begin(), frame.end());
    return transmission;
}

// The transmission and whatever follows it closely.
Bytes receiveTransmission(PtyClient& client) {
    Bytes bytes = client.receive(sampleTransmission().size(), transmissionWaitMs);
    const Bytes more = client.receive(100);
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

TEST(LegacyInstrumentTest, TransmitsToEveryProgramThatOpensThePort) {
    RunningLegacyInstrument instrument({}, sim::legacyTransmission(samples::sampleLegacyFrame()));
    for (int program = 0; program < 2; ++program) {
        PtyClient client(instrument.devicePath());
        EXPECT_EQ(receiveTransmission(client), sampleTransmission()) << "program " << program;
    }
}

TEST(LegacyInstrumentTest, ANewProgramGetsNothingTheLastOneLeftUnread) {
    RunningLegacyInstrument instrument({}, sim::legacyTransmission(samples::sampleLegacyFrame()));
    {
        PtyClient reluctant(instrument.devicePath());
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
    }
    PtyClient client(instrument.devicePath());
    EXPECT_EQ(receiveTransmission(client), sampleTransmission());
}

TEST(LegacyInstrumentTest, SilentInstrumentSendsNothing) {
    sim::InstrumentBehaviour switchedOff;
    switchedOff.silent = true;
    RunningLegacyInstrument instrument(switchedOff, sampleTransmission());
    PtyClient client(instrument.devicePath());
    EXPECT_EQ(client.receive(800), Bytes{});
}

}  // namespace
}  // namespace kadenza::test
