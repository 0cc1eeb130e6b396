#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>

#include "LineBytes.h"
#include "RunningInstrument.h"
#include "link/InstrumentTransfer.h"
#include "link/LegacyReceiver.h"
#include "link/PosixSerialLine.h"
#include "link/TracingLine.h"
#include "link/TransferJobs.h"
#include "samples/SampleImages.h"
#include "support/RecordingReporter.h"
#include "support/SampleData.h"
#include "support/SimulatedModels.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

// The program's link and jobs against the simulator, over a real pseudo-terminal.

namespace kadenza::test {
namespace {

using sim::InstrumentBehaviour;

constexpr int setupBlocksStart = 252;

std::string decodedData(int modelCode, const Bytes& image) {
    InstrumentData data;
    translatorWith(modelCode, image)->decodeData(data);
    return xmlOf(data);
}

// A recording reporter that also gives up after a while, so that a transfer waiting without
// limit for an instrument that never sends cannot hang the test.
class PatientReporter : public RecordingReporter {
  public:
    bool isCancelled() override {
        return RecordingReporter::isCancelled() || std::chrono::steady_clock::now() > giveUp_;
    }

  private:
    std::chrono::steady_clock::time_point giveUp_ =
        std::chrono::steady_clock::now() + std::chrono::seconds(20);
};

// An instrument on a pseudo-terminal and the program's transfer on its port.
class TransferOverPtyTest : public ::testing::Test {
  protected:
    void play(const InstrumentBehaviour& behaviour, const Bytes& image) {
        instrument_ = std::make_unique<RunningInstrument>(behaviour, image);
        openPort();
    }

    // Opens the port afresh, as every job of the program does.
    void openPort() {
        transfer_.reset();
        line_.reset();
        line_ = std::make_unique<PosixSerialLine>(instrument_->devicePath());
        ASSERT_TRUE(line_->isOpen());
        transfer_ = std::make_unique<InstrumentTransfer>(*line_);
    }

    // Plays the instrument and downloads its memory through a trace, which it returns; the
    // data must be the image's.
    std::string tracedDownload(const InstrumentBehaviour& behaviour, const Bytes& image) {
        play(behaviour, image);
        std::ostringstream trace;
        TracingLine tracing(*line_, trace);
        InstrumentTransfer transfer(tracing);
        InstrumentData data;
        EXPECT_TRUE(runReadData(transfer, data, reporter_));
        EXPECT_EQ(xmlOf(data), decodedData(behaviour.modelCode, image));
        return trace.str();
    }

    // The instrument's memory once the program is done with it.
    Bytes finalImage() {
        transfer_.reset();
        line_.reset();
        return instrument_->finalImage();
    }

    std::unique_ptr<RunningInstrument> instrument_;
    std::unique_ptr<PosixSerialLine> line_;
    std::unique_ptr<InstrumentTransfer> transfer_;
    PatientReporter reporter_;
};

TEST_F(TransferOverPtyTest, ReadsTheDataOfEveryModel) {
    for (int code = 1; code <= 5; ++code) {
        SCOPED_TRACE("model " + std::to_string(code));
        const Bytes image = samples::sampleImage(code);
        play(model(code), image);
        InstrumentData data;
        ASSERT_TRUE(runReadData(*transfer_, data, reporter_));
        EXPECT_GT(data.count(), 0);
        EXPECT_EQ(xmlOf(data), decodedData(code, image));
    }
}

TEST_F(TransferOverPtyTest, ModelsOneAndTwoMayIdentifyByName) {
    for (int code = 1; code <= 2; ++code) {
        InstrumentBehaviour byName = model(code);
        byName.textIdentification = true;
        play(byName, {});
        EXPECT_EQ(transfer_->identify(), code);
    }
}

TEST_F(TransferOverPtyTest, SetupRoundTripsThroughTheInstrument) {
    for (int code : {3, 4}) {
        SCOPED_TRACE("model " + std::to_string(code));
        const Bytes image = samples::sampleImage(code);
        play(model(code), image);

        InstrumentSetup stored;
        ASSERT_TRUE(runReadSetup(*transfer_, stored, reporter_));
        InstrumentSetup expectedStored;
        translatorWith(code, image)->decodeSetup(expectedStored);
        EXPECT_EQ(describe(stored), describe(expectedStored));

        openPort();
        InstrumentSetup defaults;
        ASSERT_TRUE(runDefaultSettings(*transfer_, defaults));
        ASSERT_NE(describe(defaults), describe(stored)) << "the write would change nothing";
        openPort();
        ASSERT_TRUE(runWriteSetup(*transfer_, defaults, reporter_));
        openPort();
        InstrumentSetup readBack;
        ASSERT_TRUE(runReadSetup(*transfer_, readBack, reporter_));
        EXPECT_EQ(describe(readBack), describe(defaults));

        // The setup area now holds the encoded defaults; the data area is untouched.
        auto encoder = createTranslator(code);
        encoder->encodeSetup(defaults);
        Bytes expected = image;
        encoder->copyOut(expected.data() + setupBlocksStart * 32, setupBlocksStart * 32, 128);
        EXPECT_EQ(finalImage(), expected);
    }
}

// How often the trace holds the line.
int countOf(const std::string& trace, const std::string& line) {
    int count = 0;
    for (std::size_t at = trace.find(line); at != std::string::npos;
         at = trace.find(line, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(TransferOverPtyTest, RetriesThroughLineFaults) {
    for (int code : {1, 3}) {
        SCOPED_TRACE("model " + std::to_string(code));
        InstrumentBehaviour faulty = model(code);
        faulty.faults = {0.003, 0.0005, 0.003, 0.01};
        faulty.seed = 2024;
        // Some blocks did need another attempt: each block starts with a read request or a
        // request for the next streamed block, and each retry adds a read or repeat request.
        const std::string lines = tracedDownload(faulty, samples::sampleImage(code));
        EXPECT_GT(countOf(lines, "> AB\n") + countOf(lines, "> A5\n") + countOf(lines, "> 55\n"),
                  252);
    }
}

TEST_F(TransferOverPtyTest, InstrumentNotConnected) {
    InstrumentBehaviour switchedOff = model(3);
    switchedOff.silent = true;
    play(switchedOff, samples::sampleImage(3));
    const auto data = sampleData();
    const std::string before = xmlOf(*data);
    EXPECT_FALSE(runReadData(*transfer_, *data, reporter_));
    EXPECT_EQ(reporter_.events(), std::vector<std::string>{"failure NotConnected"});
    EXPECT_EQ(xmlOf(*data), before);

    // A model the program does not know is given up after its first answer.
    play(model(7), samples::sampleImage(3));
    std::ostringstream trace;
    TracingLine tracing(*line_, trace);
    InstrumentTransfer transfer(tracing);
    RecordingReporter reporter;
    InstrumentSetup setup;
    EXPECT_FALSE(runReadSetup(transfer, setup, reporter));
    EXPECT_EQ(reporter.events(), std::vector<std::string>{"failure NotConnected"});
    EXPECT_EQ(trace.str().find("> AA"), trace.str().rfind("> AA")) << trace.str();
}

TEST_F(TransferOverPtyTest, TransmissionFailsWhenTheInstrumentGoesQuiet) {
    InstrumentBehaviour switchedOffDuringRead = model(1);
    switchedOffDuringRead.stopAfterBlocks = 5;
    play(switchedOffDuringRead, samples::sampleImage(1));
    const auto data = sampleData();
    const std::string before = xmlOf(*data);
    EXPECT_FALSE(runReadData(*transfer_, *data, reporter_));
    EXPECT_EQ(reporter_.milestones(),
              (std::vector<std::string>{"show Mx340", "hide", "failure TransmissionFailed"}));
    EXPECT_EQ(reporter_.progress().size(), 6u);
    EXPECT_EQ(xmlOf(*data), before);

    InstrumentBehaviour switchedOffDuringWrite = model(4);
    switchedOffDuringWrite.stopAfterBlocks = 2;
    const Bytes image = samples::sampleImage(4);
    play(switchedOffDuringWrite, image);
    InstrumentSetup defaults;
    ASSERT_TRUE(runDefaultSettings(*transfer_, defaults));
    RecordingReporter reporter;
    EXPECT_FALSE(runWriteSetup(*transfer_, defaults, reporter));
    EXPECT_EQ(reporter.milestones(),
              (std::vector<std::string>{"show Mx330", "hide", "failure TransmissionFailed"}));
    // The instrument holds the first two blocks of the new settings.
    const Bytes kept = finalImage();
    EXPECT_NE(Bytes(kept.begin() + 252 * 32, kept.begin() + 254 * 32),
              Bytes(image.begin() + 252 * 32, image.begin() + 254 * 32));
    EXPECT_EQ(Bytes(kept.begin() + 254 * 32, kept.end()),
              Bytes(image.begin() + 254 * 32, image.end()));
}

// The instrument's memory after a write of the model's factory settings.
Bytes withDefaultsWritten(int code, Bytes image) {
    auto encoder = createTranslator(code);
    InstrumentSetup defaults;
    encoder->defaultSetup(defaults);
    encoder->encodeSetup(defaults);
    encoder->copyOut(image.data() + setupBlocksStart * 32, setupBlocksStart * 32, 128);
    return image;
}

// A block counts as written only on its own acknowledgement: after a stray byte ahead of one
// acknowledgement, with a lost frame after it, or with every acknowledgement late, the
// instrument ends holding exactly what the write reported as written.
TEST_F(TransferOverPtyTest, SetupWriteCountsOnlyItsOwnAcknowledgements) {
    sim::Misbehaviour strayThenLost;
    strayThenLost.strayBeforeAcknowledgement = 252;
    strayThenLost.lostWrite = 253;
    sim::Misbehaviour lateThenLost;
    lateThenLost.lateAcknowledgements = true;
    lateThenLost.lateMs = 300;
    lateThenLost.lostWrite = 255;
    for (const sim::Misbehaviour& misbehaviour : {strayThenLost, lateThenLost}) {
        SCOPED_TRACE(misbehaviour.lostWrite);
        InstrumentBehaviour behaviour = model(3);
        behaviour.misbehaviour = misbehaviour;
        const Bytes image = samples::sampleImage(3);
        play(behaviour, image);
        InstrumentSetup defaults;
        createTranslator(3)->defaultSetup(defaults);
        RecordingReporter reporter;
        EXPECT_TRUE(runWriteSetup(*transfer_, defaults, reporter));
        EXPECT_EQ(reporter.milestones(), (std::vector<std::string>{"show Mx310.2", "hide"}));
        EXPECT_EQ(finalImage(), withDefaultsWritten(3, image));
    }
}

// A late answer is taken by the attempt that asked for it, so the ones after it find a
// clean line: one request per block, and one identification despite ten late answers.
TEST_F(TransferOverPtyTest, LateAnswersCostNoRepeats) {
    InstrumentBehaviour behaviour = model(5);
    behaviour.misbehaviour.lateBlock = 100;
    behaviour.misbehaviour.lateIdentifications = 10;
    const std::string trace = tracedDownload(behaviour, samples::sampleImage(5));
    EXPECT_EQ(countOf(trace, "> AA\n"), 1);
    EXPECT_EQ(countOf(trace, "> AB\n"), 252);
}

// A reporter whose user presses stop at a given moment.
class StoppingReporter : public RecordingReporter {
  public:
    using Clock = std::chrono::steady_clock;

    explicit StoppingReporter(Clock::duration after) : stopAt_(Clock::now() + after) {}
    bool isCancelled() override { return Clock::now() >= stopAt_; }
    // How long the job went on after the stop.
    double secondsSinceStop() const {
        return std::chrono::duration<double>(Clock::now() - stopAt_).count();
    }

  private:
    Clock::time_point stopAt_;
};

// A line that never stops talking fails each attempt after a frame's worth of bytes, so the
// download ends as failed; and a stop ends it soon, as it ends a silent identification. (The
// half second a stop may take is measured by the soak; here it only has to come.)
TEST_F(TransferOverPtyTest, EndlessBytesAndSilenceCanBeStopped) {
    InstrumentBehaviour babbling = model(3);
    babbling.misbehaviour.babble = true;
    play(babbling, {});
    InstrumentData data;
    RecordingReporter patient;
    InstrumentTransfer babbled(*line_, [&patient] { return patient.isCancelled(); });
    EXPECT_FALSE(runReadData(babbled, data, patient));
    EXPECT_EQ(patient.milestones(),
              (std::vector<std::string>{"show Mx310.2", "hide", "failure TransmissionFailed"}));

    // Ten attempts at a babbling line take at least 10 x 75 byte times, 0.39 s; a silent
    // identification takes 4 s.
    InstrumentBehaviour switchedOff = model(3);
    switchedOff.silent = true;
    const std::pair<InstrumentBehaviour, int> stops[] = {{babbling, 150}, {switchedOff, 700}};
    for (const auto& [behaviour, stopMs] : stops) {
        play(behaviour, {});
        StoppingReporter stopping{std::chrono::milliseconds(stopMs)};
        InstrumentTransfer stopped(*line_, [&stopping] { return stopping.isCancelled(); });
        EXPECT_FALSE(runReadData(stopped, data, stopping));
        EXPECT_EQ(stopping.events().back(), "failure Cancelled");
        EXPECT_LT(stopping.secondsSinceStop(), 2.0);
    }
}

TEST_F(TransferOverPtyTest, CancelledBeforeABlock) {
    play(model(3), samples::sampleImage(3));
    reporter_.cancelAtCheck(3);
    const auto data = sampleData();
    const std::string before = xmlOf(*data);
    EXPECT_FALSE(runReadData(*transfer_, *data, reporter_));
    EXPECT_EQ(reporter_.events(),
              (std::vector<std::string>{"show Mx310.2", "progress 0", "progress 0", "progress 0",
                                        "hide", "failure Cancelled"}));
    EXPECT_EQ(xmlOf(*data), before);
}

// An Mx310.1 on a pseudo-terminal and the program's legacy receiver on its port.
class LegacyTransferOverPtyTest : public ::testing::Test {
  protected:
    // Runs the receiver against an instrument that transmits `transmission`.
    bool receive(const Bytes& transmission, const InstrumentBehaviour& behaviour = {}) {
        RunningLegacyInstrument instrument(behaviour, transmission);
        PosixSerialLine line(instrument.devicePath(), legacyBaud);
        return receiveLegacyTransfer(line, *data_, reporter_);
    }

    std::vector<std::string> outcome() const {
        const auto& milestones = reporter_.milestones();
        return {milestones.end() - std::min<std::size_t>(2, milestones.size()), milestones.end()};
    }

    std::unique_ptr<InstrumentData> data_ = sampleData();
    const std::string before_ = xmlOf(*data_);
    PatientReporter reporter_;
};

TEST_F(LegacyTransferOverPtyTest, ReceivesTheFrame) {
    const Bytes frame = samples::sampleLegacyFrame();
    // Bytes on the line before the start byte are passed over.
    Bytes transmission{0x00, 0x7F, 0xFF};
    const Bytes sent = sim::legacyTransmission(frame);
    transmission.insert(transmission.end(), sent.begin(), sent.end());

    ASSERT_TRUE(receive(transmission));
    InstrumentData expected;
    decodeLegacyFrame(frame.data(), expected);
    EXPECT_EQ(xmlOf(*data_), xmlOf(expected));
    EXPECT_EQ(reporter_.milestones(), (std::vector<std::string>{"show Mx310.1", "hide"}));
}

TEST_F(LegacyTransferOverPtyTest, RejectsABadChecksum) {
    Bytes frame = samples::sampleLegacyFrame();
    frame[legacyHeaderSize + 5] ^= 0x10;
    EXPECT_FALSE(receive(sim::legacyTransmission(frame)));
    EXPECT_EQ(outcome(), (std::vector<std::string>{"hide", "failure TransmissionFailed"}));
    EXPECT_EQ(xmlOf(*data_), before_);
}

TEST_F(LegacyTransferOverPtyTest, FailsWithoutTheLastByte) {
    Bytes frame = samples::sampleLegacyFrame();
    frame.pop_back();
    EXPECT_FALSE(receive(sim::legacyTransmission(frame)));
    EXPECT_EQ(outcome(), (std::vector<std::string>{"hide", "failure TransmissionFailed"}));
    EXPECT_EQ(xmlOf(*data_), before_);
}

TEST_F(LegacyTransferOverPtyTest, CancelledWhileWaitingForTheStart) {
    InstrumentBehaviour switchedOff;
    switchedOff.silent = true;
    reporter_.cancelAtCheck(3);
    EXPECT_FALSE(receive(sim::legacyTransmission(samples::sampleLegacyFrame()), switchedOff));
    EXPECT_EQ(reporter_.events(), (std::vector<std::string>{"progress 0", "show Mx310.1", "hide",
                                                            "failure Cancelled"}));
    EXPECT_EQ(xmlOf(*data_), before_);
}

}  // namespace
}  // namespace kadenza::test
