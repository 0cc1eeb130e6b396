#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeLine.h"
#include "InstrumentFrames.h"
#include "link/TransferJobs.h"
#include "model/PlainTextExport.h"
#include "samples/SampleImages.h"
#include "support/RecordingReporter.h"
#include "support/SampleData.h"
#include "translators/TranslatorFactory.h"

namespace kadenza {
namespace {

using test::FakeLine;
using test::RecordingReporter;
using Bytes = std::vector<std::uint8_t>;
using Events = std::vector<std::string>;

constexpr int mx340Code = 1;
constexpr int mx320Code = 2;
constexpr int mx310Code = 3;
constexpr int mx350Code = 5;
constexpr int dataBlocks = 252;
constexpr int firstSetupBlock = 252;
constexpr int setupBlocks = 4;

void append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// What the model's translator makes of the image's data area.
std::string decodedData(int modelCode, const Bytes& image) {
    const std::unique_ptr<InstrumentTranslator> translator = createTranslator(modelCode);
    translator->copyIn(image.data(), 0, imageSize);
    InstrumentData data;
    translator->decodeData(data);
    return plainText(data);
}

class TransferJobsTest : public ::testing::Test {
  protected:
    void answerIdentification(int modelCode) {
        line.arrive(test::numericIdentification(modelCode));
    }
    // The identification request, then `more`.
    static Bytes requested(const Bytes& more) {
        Bytes bytes{0xAA};
        append(bytes, more);
        return bytes;
    }

    FakeLine line;
    InstrumentTransfer transfer{line};
    RecordingReporter reporter;
};

TEST_F(TransferJobsTest, ReadDataRequestsEveryDataBlockThenDecodes) {
    const Bytes image = samples::sampleImage(mx310Code);
    answerIdentification(mx310Code);
    line.arrive(test::addressedReplies(image, 0, dataBlocks));
    InstrumentData data;

    EXPECT_TRUE(runReadData(transfer, data, reporter));
    EXPECT_EQ(plainText(data), decodedData(mx310Code, image));
    Bytes requests;
    for (int block = 0; block < dataBlocks; ++block) {
        append(requests, test::readRequestFor(block));
    }
    EXPECT_EQ(line.sent(), requested(requests));
    EXPECT_EQ(reporter.milestones(), (Events{"show Mx310.2", "hide"}));
    ASSERT_EQ(reporter.progress().size(), static_cast<std::size_t>(dataBlocks));
    EXPECT_EQ(reporter.progress().front(), 0);
    EXPECT_EQ(reporter.progress()[126], 50);
    EXPECT_EQ(reporter.progress().back(), 99);
}

TEST_F(TransferJobsTest, StreamedSetupBlocksAreNumberedFromZeroAndStoredThere) {
    const Bytes image = samples::sampleImage(mx340Code);
    line.arrive(test::streamFrames(image, firstSetupBlock, setupBlocks));
    const std::unique_ptr<InstrumentTranslator> translator = createTranslator(mx340Code);

    EXPECT_TRUE(readBlocks(transfer, firstSetupBlock, setupBlocks, *translator, reporter));
    EXPECT_EQ(line.sent(), Bytes(setupBlocks, 0xA5));
    Bytes stored(setupBlocks * blockSize);
    translator->copyOut(stored.data(), 0, setupBlocks * blockSize);
    EXPECT_EQ(stored, Bytes(image.begin() + firstSetupBlock * blockSize, image.end()));
    EXPECT_EQ(reporter.events(), (Events{"show Mx340", "progress 0", "progress 25", "progress 50",
                                         "progress 75", "hide"}));
}

TEST_F(TransferJobsTest, CancelBeforeTheFirstBlockMovesNothing) {
    answerIdentification(mx310Code);
    line.arrive(test::addressedReplies(samples::sampleImage(mx310Code), 0, dataBlocks));
    reporter.cancelAtCheck(0);
    const std::unique_ptr<InstrumentData> data = test::sampleData();
    const std::string before = plainText(*data);

    EXPECT_FALSE(runReadData(transfer, *data, reporter));
    EXPECT_EQ(reporter.events(), (Events{"show Mx310.2", "hide", "failure Cancelled"}));
    EXPECT_EQ(line.sent(), Bytes{0xAA});
    EXPECT_EQ(plainText(*data), before);
}

TEST_F(TransferJobsTest, CancelDuringTheLastBlockStillCompletes) {
    answerIdentification(mx310Code);
    line.arrive(
        test::addressedReplies(samples::sampleImage(mx310Code), firstSetupBlock, setupBlocks));
    reporter.cancelAtCheck(setupBlocks);
    InstrumentSetup setup;

    EXPECT_TRUE(runReadSetup(transfer, setup, reporter));
    EXPECT_EQ(setup.count(), 3);
    EXPECT_EQ(reporter.events(), (Events{"show Mx310.2", "progress 0", "progress 25", "progress 50",
                                         "progress 75", "hide"}));
}

TEST_F(TransferJobsTest, FailedBlockLeavesTheContainerUntouched) {
    answerIdentification(mx310Code);
    line.arrive(test::addressedReplies(samples::sampleImage(mx310Code), 0, 10));
    const std::unique_ptr<InstrumentData> data = test::sampleData();
    const std::string before = plainText(*data);

    EXPECT_FALSE(runReadData(transfer, *data, reporter));
    EXPECT_EQ(reporter.milestones(),
              (Events{"show Mx310.2", "hide", "failure TransmissionFailed"}));
    EXPECT_EQ(reporter.progress().back(), 10 * 100 / dataBlocks);
    EXPECT_EQ(plainText(*data), before);
}

TEST_F(TransferJobsTest, UnansweredOrUnknownModelIsNotConnected) {
    InstrumentData data;
    EXPECT_FALSE(runReadData(transfer, data, reporter));
    EXPECT_EQ(reporter.events(), Events{"failure NotConnected"});
    EXPECT_EQ(line.sent(), Bytes(10, 0xAA));

    FakeLine unknownLine;
    unknownLine.arrive(test::numericIdentification(0));
    InstrumentTransfer unknownTransfer(unknownLine);
    RecordingReporter unknownReporter;
    InstrumentSetup setup;
    EXPECT_FALSE(runReadSetup(unknownTransfer, setup, unknownReporter));
    EXPECT_EQ(unknownReporter.events(), Events{"failure NotConnected"});
    EXPECT_EQ(unknownLine.sent(), Bytes{0xAA});
}

TEST_F(TransferJobsTest, ReadSetupWithoutSetupAreaOnlyFlashesTheProgress) {
    answerIdentification(mx320Code);
    InstrumentSetup setup;
    EXPECT_TRUE(runReadSetup(transfer, setup, reporter));
    EXPECT_EQ(reporter.events(), (Events{"show Mx320", "hide"}));
    EXPECT_EQ(line.sent(), Bytes{0xAA});
}

TEST_F(TransferJobsTest, DefaultSettingsNeedAnAnsweringInstrument) {
    InstrumentSetup setup;
    EXPECT_FALSE(runDefaultSettings(transfer, setup));
    EXPECT_EQ(setup.count(), 0);

    answerIdentification(mx310Code);
    EXPECT_TRUE(runDefaultSettings(transfer, setup));
    EXPECT_EQ(setup.count(), 3);
    EXPECT_EQ(line.sent(), Bytes(11, 0xAA));
}

TEST_F(TransferJobsTest, WriteSetupSendsTheEncodedSetupArea) {
    const std::unique_ptr<InstrumentTranslator> encoder = createTranslator(mx310Code);
    InstrumentSetup setup;
    encoder->defaultSetup(setup);
    encoder->encodeSetup(setup);
    answerIdentification(mx310Code);
    line.arrive(Bytes(setupBlocks, 0xAC));

    EXPECT_TRUE(runWriteSetup(transfer, setup, reporter));
    Bytes frames;
    for (int block = firstSetupBlock; block < firstSetupBlock + setupBlocks; ++block) {
        Bytes data(blockSize);
        encoder->copyOut(data.data(), block * blockSize, blockSize);
        append(frames, test::blockFrame(0xAC, block, data.data()));
    }
    EXPECT_EQ(line.sent(), requested(frames));
    EXPECT_EQ(reporter.events(), (Events{"show Mx310.2", "progress 0", "progress 25", "progress 50",
                                         "progress 75", "hide"}));
}

// Stopped halfway, a write would leave the instrument with part of the old settings and part
// of the new: once its first block is out it runs to its end.
TEST_F(TransferJobsTest, AStartedSetupWriteRunsToItsEnd) {
    InstrumentSetup setup;
    createTranslator(mx310Code)->defaultSetup(setup);
    answerIdentification(mx310Code);
    line.arrive(Bytes(setupBlocks, 0xAC));
    reporter.cancelAtCheck(1);

    EXPECT_TRUE(runWriteSetup(transfer, setup, reporter));
    EXPECT_EQ(reporter.milestones(), (Events{"show Mx310.2", "hide"}));
    EXPECT_EQ(line.pending(), 0);
}

// What would be written must have been read from this model or be its defaults: the encoder
// would otherwise put its factory values wherever the setup has nothing.
TEST_F(TransferJobsTest, WriteSetupSendsOnlyASetupOfTheModelItFinds) {
    InstrumentSetup otherModel;
    createTranslator(4)->defaultSetup(otherModel);
    InstrumentSetup empty;
    for (const InstrumentSetup* setup : {&otherModel, &empty}) {
        FakeLine modelLine;
        modelLine.arrive(test::numericIdentification(mx310Code));
        InstrumentTransfer modelTransfer(modelLine);
        RecordingReporter modelReporter;
        EXPECT_FALSE(runWriteSetup(modelTransfer, *setup, modelReporter));
        EXPECT_EQ(modelReporter.events(), Events{"failure NotConnected"});
        EXPECT_EQ(modelLine.sent(), Bytes{0xAA});
    }
}

TEST_F(TransferJobsTest, UnacknowledgedWriteFails) {
    InstrumentSetup setup;
    createTranslator(mx310Code)->defaultSetup(setup);
    answerIdentification(mx310Code);
    EXPECT_FALSE(runWriteSetup(transfer, setup, reporter));
    EXPECT_EQ(reporter.events(),
              (Events{"show Mx310.2", "progress 0", "hide", "failure TransmissionFailed"}));
}

// These models cannot encode their settings; the blank area must not overwrite the
// instrument's own.
TEST_F(TransferJobsTest, WriteSetupSendsNothingForAModelWithoutEncoding) {
    for (const int code : {mx340Code, mx320Code, mx350Code}) {
        FakeLine modelLine;
        modelLine.arrive(test::numericIdentification(code));
        InstrumentTransfer modelTransfer(modelLine);
        RecordingReporter modelReporter;
        InstrumentSetup setup;

        EXPECT_TRUE(runWriteSetup(modelTransfer, setup, modelReporter)) << code;
        EXPECT_EQ(modelLine.sent(), Bytes{0xAA}) << code;
        EXPECT_TRUE(modelReporter.events().empty()) << code;
    }
}

}  // namespace
}  // namespace kadenza
