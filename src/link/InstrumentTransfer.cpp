#include "link/InstrumentTransfer.h"

#include <array>
#include <string>

#include "link/ProtocolBytes.h"
#include "translators/Fcs16.h"

namespace kadenza {

namespace {

constexpr int attempts = 10;
// The first reception of a streamed block and the repeats asked for with 0x55.
constexpr int streamReceptions = 11;
constexpr int imageBlocks = imageSize / blockSize;
// A text identification holds at most this many bytes, its zero included.
constexpr std::size_t identificationTextLimit = 32;
constexpr std::size_t identificationSize = 5;
constexpr std::size_t readRequestSize = 5;
// Offsets in the streamed frame after SOH.
constexpr std::size_t streamDataOffset = 2;
constexpr std::size_t streamLastDataOffset = 33;
constexpr std::size_t streamCrcOffset = 34;

// An answer may start this many empty reads after its request, and within this time even
// when other bytes keep arriving: an instrument a little late is still heard by the attempt
// that asked, instead of having its answer taken by the next one.
constexpr int answerReads = 2;
constexpr auto answerTime = std::chrono::milliseconds(answerReads * byteTimeoutMs);
// A frame's worth of line bytes, every byte stuffed: more than this ahead of an answer's
// first byte is a line that talks without answering.
constexpr int foreignByteLimit = 2 * addressedFrameSize + 1;
// An exchange shorter than this is never stopped halfway.
constexpr auto stopGrace = std::chrono::milliseconds(100);
// No byte has this value: a wait that no byte refuses.
constexpr int noRefusal = 0x100;

// The addressed frames carry the block number low byte first after their first byte.
void putBlockNumber(std::uint8_t* frame, int block) {
    frame[1] = static_cast<std::uint8_t>(block & 0xFF);
    frame[2] = static_cast<std::uint8_t>(block >> 8 & 0xFF);
}

// The complement of the FCS over the first `length` bytes goes after them, low byte first.
void appendFcs(std::uint8_t* frame, std::size_t length) {
    const std::uint16_t check = static_cast<std::uint16_t>(~fcs16(frame, length));
    frame[length] = static_cast<std::uint8_t>(check & 0xFF);
    frame[length + 1] = static_cast<std::uint8_t>(check >> 8);
}

bool fcsHolds(const std::uint8_t* frame, std::size_t length) {
    return fcs16(frame, length) == fcs16Residue;
}

int modelCodeOfText(const std::string& text) {
    if (text == "mx340 0") {
        return 1;
    }
    if (text == "mx320") {
        return 2;
    }
    return -1;
}

}  // namespace

InstrumentTransfer::InstrumentTransfer(SerialLine& line, std::function<bool()> stopRequested)
    : line_(line), stopRequested_(std::move(stopRequested)) {}

bool InstrumentTransfer::sendByte(std::uint8_t byte) {
    return line_.sendByte(byte);
}

int InstrumentTransfer::receiveByte() {
    return readByte(true);
}

int InstrumentTransfer::readByte(bool stoppable) {
    if (stoppable && stopDue()) {
        return -1;
    }
    return line_.receiveByte();
}

void InstrumentTransfer::beginExchange() {
    exchangeStart_ = Clock::now();
}

bool InstrumentTransfer::stopDue() {
    if (!stopped_ && stopRequested_ && Clock::now() - exchangeStart_ >= stopGrace) {
        stopped_ = stopRequested_();
    }
    return stopped_;
}

// A sound answer to another request means the instrument is behind: the answer to the failed
// attempt may follow it, and the retry would take that for its own, leaving its own answer
// for the next block. Letting the line settle breaks that chain.
void InstrumentTransfer::settleBeforeRetry() {
    if (answerOfAnotherRequest_) {
        line_.settle();
        answerOfAnotherRequest_ = false;
    }
}

void InstrumentTransfer::letAcknowledgementsPass() {
    for (int i = 0; i <= foreignByteLimit; ++i) {
        if (readByte(false) < 0) {
            return;
        }
    }
}

// Whatever comes ahead of the head is line noise. A reply's wait ends at a refusal, after a
// frame's worth of noise (a line that never stops talking must not hold the transfer), or at
// silence after noise (the reply lost its head); silence alone is waited out for the whole
// answer time. An acknowledgement's wait always takes the whole answer time.
bool InstrumentTransfer::awaitHead(std::uint8_t head, int refusal, AnswerKind kind) {
    const bool acknowledgement = kind == AnswerKind::acknowledgement;
    const Clock::time_point deadline = Clock::now() + answerTime;
    int emptyReads = 0;
    int foreignBytes = 0;
    for (;;) {
        const int byte = readByte(!acknowledgement);
        if (byte == head) {
            return true;
        }
        if (byte == refusal || (!acknowledgement && stopped_)) {
            return false;
        }
        byte < 0 ? ++emptyReads : ++foreignBytes;
        const bool spoilt =
            !acknowledgement && (foreignBytes > foreignByteLimit || (byte < 0 && foreignBytes > 0));
        if (spoilt || emptyReads == answerReads || Clock::now() >= deadline) {
            return false;
        }
    }
}

bool InstrumentTransfer::sendEscaped(std::uint8_t byte) {
    if (!needsAddressedStuffing(byte)) {
        return sendByte(byte);
    }
    return sendByte(addressedEscape) &&
           sendByte(static_cast<std::uint8_t>(byte ^ addressedStuffingMask));
}

// The unstuffed value is not checked against the stuffed set: the instrument's escapes are
// taken as they come.
int InstrumentTransfer::receiveUnescaped() {
    const int byte = receiveByte();
    if (byte != addressedEscape) {
        return byte;
    }
    const int escaped = receiveByte();
    return escaped < 0 ? -1 : escaped ^ addressedStuffingMask;
}

int InstrumentTransfer::receiveStreamByte() {
    const int byte = receiveByte();
    if (byte >= 0) {
        streamCrc_ = streamCrcStep(streamCrc_, static_cast<std::uint8_t>(byte));
    }
    return byte;
}

int InstrumentTransfer::receiveStreamUnescaped() {
    const int byte = receiveStreamByte();
    if (byte != streamEscape) {
        return byte;
    }
    const int escaped = receiveStreamByte();
    return escaped < 0 ? -1 : escaped ^ streamStuffingMask;
}

bool InstrumentTransfer::sendAddressedFrame(const std::uint8_t* frame, std::size_t length) {
    if (!sendByte(frame[0])) {
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!sendEscaped(frame[i])) {
            return false;
        }
    }
    return true;
}

bool InstrumentTransfer::receiveUnescapedBytes(std::uint8_t* into, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const int byte = receiveUnescaped();
        if (byte < 0) {
            return false;
        }
        into[i] = static_cast<std::uint8_t>(byte);
    }
    return true;
}

// The instrument answers either with a frame 0xAA, code low byte, code high byte, FCS, or
// with a text up to a zero byte; any first byte but 0xAA starts the text.
int InstrumentTransfer::identifyOnce() {
    line_.purge();
    sendByte(identifyRequest);
    // A silent instrument costs two read time-outs an attempt, which gives a late answer a
    // chance: its first byte, in the second time-out, still tells a number from a text.
    int first = receiveUnescaped();
    if (first < 0) {
        first = receiveUnescaped();
    }
    if (first < 0) {
        return -1;
    }
    if (first != identifyRequest) {
        return receiveIdentificationText(first);
    }
    std::array<std::uint8_t, identificationSize> reply{identifyRequest};
    if (!receiveUnescapedBytes(&reply[1], reply.size() - 1) ||
        !fcsHolds(reply.data(), reply.size())) {
        return -1;
    }
    return reply[1] | reply[2] << 8;
}

int InstrumentTransfer::receiveIdentificationText(int first) {
    std::string text(1, static_cast<char>(first));
    while (text.back() != '\0') {
        const int byte = text.size() < identificationTextLimit ? receiveUnescaped() : -1;
        if (byte < 0) {
            return -1;
        }
        text.push_back(static_cast<char>(byte));
    }
    text.pop_back();
    return modelCodeOfText(text);
}

int InstrumentTransfer::identify() {
    beginExchange();
    for (int attempt = 0; attempt < attempts && !stopped_; ++attempt) {
        const int code = identifyOnce();
        if (code != -1) {
            return code;
        }
    }
    return -1;
}

bool InstrumentTransfer::readBlockOnce(InstrumentTranslator& translator, int block) {
    line_.purge();
    std::array<std::uint8_t, readRequestSize> request{readRequest};
    putBlockNumber(request.data(), block);
    appendFcs(request.data(), request.size() - 2);
    if (!sendAddressedFrame(request.data(), request.size()) ||
        !awaitHead(readRequest, readRefusal, AnswerKind::reply)) {
        return false;
    }
    std::array<std::uint8_t, addressedFrameSize> reply{readRequest};
    if (!receiveUnescapedBytes(&reply[1], reply.size() - 1) ||
        !fcsHolds(reply.data(), reply.size())) {
        return false;
    }
    // A reply for another block, inside the image or not, fails the attempt: stored where it
    // says it would leave the block asked for unread while the read counted as done.
    const int replyBlock = reply[1] | reply[2] << 8;
    if (replyBlock != block || replyBlock >= imageBlocks) {
        answerOfAnotherRequest_ = true;
        return false;
    }
    translator.copyIn(&reply[3], replyBlock * blockSize, blockSize);
    return true;
}

bool InstrumentTransfer::readBlock(InstrumentTranslator& translator, int block) {
    beginExchange();
    for (int attempt = 0; attempt < attempts && !stopped_; ++attempt) {
        if (attempt > 0) {
            settleBeforeRetry();
        }
        if (readBlockOnce(translator, block)) {
            return true;
        }
    }
    return false;
}

// The acknowledgement carries no block number, so only one frame is ever left unanswered:
// the wait takes the whole answer time, passing over stray bytes, and a stop does not cut
// it short.
bool InstrumentTransfer::writeBlockOnce(InstrumentTranslator& translator, int block) {
    line_.purge();
    std::array<std::uint8_t, addressedFrameSize> frame{writeFrame};
    putBlockNumber(frame.data(), block);
    translator.copyOut(&frame[3], block * blockSize, blockSize);
    appendFcs(frame.data(), frame.size() - 2);
    return sendAddressedFrame(frame.data(), frame.size()) &&
           awaitHead(writeFrame, noRefusal, AnswerKind::acknowledgement);
}

bool InstrumentTransfer::writeBlock(InstrumentTranslator& translator, int block) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        writeRetried_ = writeRetried_ || attempt > 0;
        if (writeBlockOnce(translator, block)) {
            if (attempt > 0) {
                letAcknowledgementsPass();
            }
            return true;
        }
    }
    return false;
}

// The streamed frame: SOH, the block number high byte first, 32 data bytes, the CRC high
// byte first and one byte nobody reads. The CRC runs over the bytes as they came off the
// line, escape prefixes included, from the block number to the last data byte.
bool InstrumentTransfer::receiveStreamFrame(InstrumentTranslator& translator, int expectedBlock) {
    if (!awaitHead(streamStart, noRefusal, AnswerKind::reply)) {
        return false;
    }
    streamCrc_ = 0;
    std::array<std::uint8_t, streamFrameSize> frame{};
    std::uint16_t computedCrc = 0;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const int byte = receiveStreamUnescaped();
        if (byte < 0) {
            return false;
        }
        frame[i] = static_cast<std::uint8_t>(byte);
        if (i == streamLastDataOffset) {
            computedCrc = streamCrc_;
        }
    }
    if (computedCrc != (frame[streamCrcOffset] << 8 | frame[streamCrcOffset + 1])) {
        return false;
    }
    const int block = frame[0] << 8 | frame[1];
    if (block == streamNoBlock) {
        return true;
    }
    if (block != expectedBlock) {
        answerOfAnotherRequest_ = true;
        return false;
    }
    translator.copyIn(&frame[streamDataOffset], block * blockSize, blockSize);
    return true;
}

// 0xA5 asks for the next block, 0x55 for the last frame again.
bool InstrumentTransfer::readStreamedBlock(InstrumentTranslator& translator, int expectedBlock) {
    beginExchange();
    for (int reception = 0; reception < streamReceptions && !stopped_; ++reception) {
        if (reception > 0) {
            settleBeforeRetry();
        }
        line_.purge();
        sendByte(reception == 0 ? streamNext : streamRepeat);
        if (receiveStreamFrame(translator, expectedBlock)) {
            return true;
        }
    }
    return false;
}

}  // namespace kadenza
