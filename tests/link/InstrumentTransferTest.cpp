#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "FakeLine.h"
#include "InstrumentFrames.h"
#include "link/InstrumentTransfer.h"
#include "link/ProtocolBytes.h"
#include "translators/TranslatorFactory.h"

namespace kadenza {
namespace {

using test::blockFrame;
using test::CrcOver;
using test::FakeLine;
using test::streamFrame;
using Bytes = std::vector<std::uint8_t>;

constexpr int mx310Code = 3;

// Every value either protocol stuffs, among plain ones.
Bytes awkwardBlock() {
    Bytes block = {0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0x1B, 0x01, 0x0B,
                   0x00, 0xFF, 0xA9, 0xAF, 0x8B, 0x81, 0x3B, 0x8D};
    while (block.size() < blockSize) {
        block.push_back(static_cast<std::uint8_t>(0x30 + block.size()));
    }
    return block;
}

// Nothing in it needs stuffing in either protocol.
Bytes plainBlock() {
    Bytes block;
    for (int i = 0; i < blockSize; ++i) {
        block.push_back(static_cast<std::uint8_t>(0x40 + i));
    }
    return block;
}

Bytes repeated(const Bytes& bytes, int times) {
    Bytes all;
    for (int i = 0; i < times; ++i) {
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    return all;
}

class InstrumentTransferTest : public ::testing::Test {
  protected:
    Bytes imageBlock(int block) const {
        Bytes bytes(blockSize);
        translator->copyOut(bytes.data(), block * blockSize, blockSize);
        return bytes;
    }
    bool imageIsBlank() const {
        Bytes image(imageSize);
        translator->copyOut(image.data(), 0, imageSize);
        return std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0xFF; });
    }

    FakeLine line;
    InstrumentTransfer transfer{line};
    std::unique_ptr<InstrumentTranslator> translator = createTranslator(mx310Code);
};

TEST_F(InstrumentTransferTest, StuffsTheSixProtocolValuesOnly) {
    for (const std::uint8_t byte : {0xAD, 0x1B, 0xAF, 0xAA, 0xAE, 0xA9, 0x00, 0xFF}) {
        EXPECT_TRUE(transfer.sendEscaped(byte));
    }
    EXPECT_EQ(line.sent(),
              (Bytes{0x1B, 0x8D, 0x1B, 0x3B, 0xAF, 0x1B, 0x8A, 0x1B, 0x8E, 0xA9, 0x00, 0xFF}));
}

TEST_F(InstrumentTransferTest, EscapeThatDoesNotGoOutDropsItsByte) {
    line.failSendsAfter(1);
    EXPECT_FALSE(transfer.sendEscaped(0xAD));
    EXPECT_EQ(line.sent(), Bytes{0x1B});
}

TEST_F(InstrumentTransferTest, UnstuffsWhateverFollowsAnEscape) {
    line.arrive({0x1B, 0x8D, 0x41, 0x1B, 0x3B, 0x1B, 0x41, 0x1B});
    EXPECT_EQ(transfer.receiveUnescaped(), 0xAD);
    EXPECT_EQ(transfer.receiveUnescaped(), 0x41);
    EXPECT_EQ(transfer.receiveUnescaped(), 0x1B);
    EXPECT_EQ(transfer.receiveUnescaped(), 0x61);
    EXPECT_EQ(transfer.receiveUnescaped(), -1);
}

TEST_F(InstrumentTransferTest, ReadRequestsAreLittleEndianWithTheirFcs) {
    EXPECT_FALSE(transfer.readBlockOnce(*translator, 0));
    EXPECT_EQ(line.sent(), (Bytes{0xAB, 0x00, 0x00, 0xBD, 0xE0}));

    FakeLine second;
    InstrumentTransfer secondTransfer(second);
    EXPECT_FALSE(secondTransfer.readBlockOnce(*translator, 252));
    EXPECT_EQ(second.sent(), (Bytes{0xAB, 0xFC, 0x00, 0x15, 0x35}));
}

TEST_F(InstrumentTransferTest, IdentifiesANumericReply) {
    line.arrive({0xAA, 0x03, 0x00, 0x09, 0x90});
    EXPECT_EQ(transfer.identify(), 3);
    EXPECT_EQ(line.purges(), 1);
    EXPECT_EQ(line.sent(), Bytes{0xAA});

    // A code no model has still ends the identification at once.
    line.arrive(test::numericIdentification(7));
    EXPECT_EQ(transfer.identify(), 7);
    EXPECT_EQ(line.sent(), Bytes(2, 0xAA));

    // An answer one read time-out late is still this attempt's.
    line.silence(1);
    line.arrive(test::numericIdentification(4));
    EXPECT_EQ(transfer.identifyOnce(), 4);
    EXPECT_EQ(line.sent(), Bytes(3, 0xAA));
}

TEST_F(InstrumentTransferTest, IdentifiesTheTwoTextReplies) {
    const auto identifyText = [](const std::string& text) {
        FakeLine textLine;
        textLine.arrive(Bytes(text.begin(), text.end()));
        textLine.arrive({0x00});
        InstrumentTransfer textTransfer(textLine);
        return textTransfer.identifyOnce();
    };
    EXPECT_EQ(identifyText("mx340 0"), 1);
    EXPECT_EQ(identifyText("mx320"), 2);
    EXPECT_EQ(identifyText("mx340 0X"), -1);
    EXPECT_EQ(identifyText("mx34"), -1);
    EXPECT_EQ(identifyText(""), -1);
}

TEST_F(InstrumentTransferTest, TextReplyEndsAfterThirtyTwoBytesWithoutZero) {
    line.arrive(Bytes(40, 'x'));
    EXPECT_EQ(transfer.identifyOnce(), -1);
    EXPECT_EQ(line.pending(), 8);
}

TEST_F(InstrumentTransferTest, IdentificationIsAskedTenTimes) {
    line.arrive({0xAA, 0x03, 0x00, 0x09, 0x91});
    line.arrive({0xAA, 0x03, 0x00, 0x09, 0x90});
    EXPECT_EQ(transfer.identify(), 3);
    EXPECT_EQ(line.purges(), 2);

    FakeLine silent;
    silent.arrive({0xAA, 0x03, 0x00});
    EXPECT_EQ(InstrumentTransfer(silent).identify(), -1);
    EXPECT_EQ(silent.sent(), Bytes(10, 0xAA));
    EXPECT_EQ(silent.purges(), 10);
}

TEST_F(InstrumentTransferTest, ReadsAReplyAfterNoise) {
    const Bytes data = awkwardBlock();
    line.arrive({0x00, 0x55, 0xFF, 0x1B});
    line.arrive(blockFrame(readRequest, 5, data.data()));
    EXPECT_TRUE(transfer.readBlock(*translator, 5));
    EXPECT_EQ(imageBlock(5), data);
    EXPECT_EQ(line.sent(), test::readRequestFor(5));
}

// The wait for an answer's first byte ends: a reply after a frame's worth of other bytes
// (75) is taken, one after more is not; one read time-out of silence is waited out, two are
// not, and none after other bytes (they were a reply that lost its head). Each attempt starts
// on a purged line.
TEST_F(InstrumentTransferTest, TheWaitForAReplyHasItsLimits) {
    struct Case {
        int noise;
        int silentReads;
        bool received;
    };
    for (const Case& wait : {Case{75, 0, true}, Case{76, 0, false}, Case{0, 1, true},
                             Case{0, 2, false}, Case{40, 1, false}}) {
        FakeLine waited;
        InstrumentTransfer waiting(waited);
        const Bytes data = plainBlock();
        waited.arrive(Bytes(wait.noise, 0x00));
        waited.silence(wait.silentReads);
        waited.arrive(blockFrame(readRequest, 5, data.data()));
        EXPECT_EQ(waiting.readBlockOnce(*translator, 5), wait.received)
            << wait.noise << " bytes, " << wait.silentReads << " empty reads";
        EXPECT_EQ(waited.purges(), 1);
    }
}

TEST_F(InstrumentTransferTest, RetriesARefusalABadFcsAndAReplyForAnotherBlock) {
    const Bytes data = plainBlock();
    Bytes damaged = blockFrame(readRequest, 7, data.data());
    damaged[20] ^= 0x01;
    line.arrive({readRefusal});
    line.arrive(damaged);
    line.arrive(blockFrame(readRequest, 6, data.data()));
    line.arrive(blockFrame(readRequest, 7, data.data()));
    EXPECT_TRUE(transfer.readBlock(*translator, 7));
    EXPECT_EQ(imageBlock(7), data);
    EXPECT_EQ(line.sent(), repeated(test::readRequestFor(7), 4));
    EXPECT_EQ(line.purges(), 4);
    // The instrument answered an earlier request: the line settled before the next one.
    EXPECT_EQ(line.settles(), 1);
}

TEST_F(InstrumentTransferTest, BlockThatFailsTenTimesLeavesTheImage) {
    const Bytes data = plainBlock();
    Bytes damaged = blockFrame(readRequest, 7, data.data());
    damaged[20] ^= 0x01;
    line.arrive(repeated(damaged, 10));
    line.arrive(blockFrame(readRequest, 7, data.data()));
    EXPECT_FALSE(transfer.readBlock(*translator, 7));
    EXPECT_TRUE(imageIsBlank());
    EXPECT_EQ(line.sent(), repeated(test::readRequestFor(7), 10));
}

TEST_F(InstrumentTransferTest, ReplyForAnotherBlockFailsTheAttempt) {
    // Storing it where it says would leave the block asked for unread yet count as read.
    const Bytes data = plainBlock();
    line.arrive(blockFrame(readRequest, 9, data.data()));
    line.arrive(blockFrame(readRequest, 256, data.data()));
    line.arrive(blockFrame(readRequest, 0xFFFF, data.data()));
    EXPECT_FALSE(transfer.readBlockOnce(*translator, 7));
    EXPECT_FALSE(transfer.readBlockOnce(*translator, 0));
    EXPECT_FALSE(transfer.readBlockOnce(*translator, 0));
    EXPECT_TRUE(imageIsBlank());
}

TEST_F(InstrumentTransferTest, WritesTheImageBlockStuffed) {
    const Bytes data = awkwardBlock();
    translator->copyIn(data.data(), 252 * blockSize, blockSize);
    line.arrive({writeFrame});
    EXPECT_TRUE(transfer.writeBlock(*translator, 252));
    EXPECT_EQ(line.sent(), blockFrame(writeFrame, 252, data.data()));
}

// Only one frame is ever left unanswered: a stray byte before the acknowledgement is passed
// over, a frame is sent again only after two read time-outs of silence, and after a retry
// a late acknowledgement of the earlier frame is let pass, never taken for the next block's.
TEST_F(InstrumentTransferTest, AWriteCountsOnlyItsOwnAcknowledgement) {
    line.arrive({0x3F, writeFrame});
    EXPECT_TRUE(transfer.writeBlock(*translator, 252));
    EXPECT_EQ(line.sent(), blockFrame(writeFrame, 252, imageBlock(252).data()));

    FakeLine lossy;
    InstrumentTransfer lossyTransfer(lossy);
    lossy.silence(2);
    lossy.arrive({writeFrame, writeFrame});
    EXPECT_TRUE(lossyTransfer.writeBlock(*translator, 253));
    EXPECT_EQ(lossy.sent(), repeated(blockFrame(writeFrame, 253, imageBlock(253).data()), 2));
    EXPECT_EQ(lossy.pending(), 0);
    EXPECT_FALSE(lossyTransfer.writeBlock(*translator, 254));
}

TEST_F(InstrumentTransferTest, StreamedFrameCountsEscapesInItsCrc) {
    const Bytes data = awkwardBlock();
    line.arrive({0x7E, 0x00});
    line.arrive(streamFrame(2, data.data()));
    EXPECT_TRUE(transfer.readStreamedBlock(*translator, 2));
    EXPECT_EQ(imageBlock(2), data);
    EXPECT_EQ(line.sent(), Bytes{streamNext});
}

TEST_F(InstrumentTransferTest, StreamedFrameWithoutBlockIsAcceptedUnstored) {
    const Bytes data = plainBlock();
    line.arrive(streamFrame(streamNoBlock, data.data()));
    EXPECT_TRUE(transfer.readStreamedBlock(*translator, 0));
    EXPECT_TRUE(imageIsBlank());
    EXPECT_EQ(line.sent(), Bytes{streamNext});
}

TEST_F(InstrumentTransferTest, StreamedCrcOverUnstuffedBytesFailsOnlyWithEscapes) {
    const Bytes awkward = awkwardBlock();
    line.arrive(repeated(streamFrame(0, awkward.data(), CrcOver::plainBytes), 11));
    EXPECT_FALSE(transfer.readStreamedBlock(*translator, 0));
    EXPECT_TRUE(imageIsBlank());
    Bytes expected{streamNext};
    expected.insert(expected.end(), 10, streamRepeat);
    EXPECT_EQ(line.sent(), expected);

    const Bytes plain = plainBlock();
    const Bytes unescaped = streamFrame(2, plain.data(), CrcOver::plainBytes);
    ASSERT_EQ(unescaped.size(), 1u + streamFrameSize);
    line.arrive(unescaped);
    EXPECT_TRUE(transfer.readStreamedBlock(*translator, 2));
    EXPECT_EQ(imageBlock(2), plain);
}

TEST_F(InstrumentTransferTest, StreamedBlockOutOfOrderIsAskedAgain) {
    const Bytes data = plainBlock();
    line.arrive(streamFrame(3, data.data()));
    line.arrive(streamFrame(2, data.data()));
    EXPECT_TRUE(transfer.readStreamedBlock(*translator, 2));
    EXPECT_EQ(line.sent(), (Bytes{streamNext, streamRepeat}));
    EXPECT_EQ(imageBlock(3), Bytes(blockSize, 0xFF));
    EXPECT_EQ(imageBlock(2), data);
}

TEST_F(InstrumentTransferTest, SilentStreamGivesUpAfterElevenReceptions) {
    EXPECT_FALSE(transfer.readStreamedBlock(*translator, 0));
    EXPECT_EQ(line.reads(), 2 * 11);
    EXPECT_EQ(line.sent().size(), 11u);
    EXPECT_EQ(line.purges(), 11);
}

}  // namespace
}  // namespace kadenza
