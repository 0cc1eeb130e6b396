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

InstrumentTransfer::InstrumentTransfer(SerialLine& line) : line_(line) {}

bool InstrumentTransfer::sendByte(std::uint8_t byte) {
    return line_.sendByte(byte);
}

int InstrumentTransfer::receiveByte() {
    return line_.receiveByte();
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
    // Anything but a numeric reply is read as text, an empty first read too: a silent
    // instrument then costs two read time-outs an attempt, which gives a late answer a chance.
    const int first = receiveUnescaped();
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
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const int code = identifyOnce();
        if (code != -1) {
            return code;
        }
    }
    return -1;
}

// Whatever comes ahead of the reply is line noise; a refusal ends the attempt.
bool InstrumentTransfer::awaitReadReply() {
    for (;;) {
        const int byte = receiveByte();
        if (byte < 0 || byte == readRefusal) {
            return false;
        }
        if (byte == readRequest) {
            return true;
        }
    }
}

bool InstrumentTransfer::readBlockOnce(InstrumentTranslator& translator, int block) {
    std::array<std::uint8_t, readRequestSize> request{readRequest};
    putBlockNumber(request.data(), block);
    appendFcs(request.data(), request.size() - 2);
    if (!sendAddressedFrame(request.data(), request.size()) || !awaitReadReply()) {
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
        return false;
    }
    translator.copyIn(&reply[3], replyBlock * blockSize, blockSize);
    return true;
}

bool InstrumentTransfer::readBlock(InstrumentTranslator& translator, int block) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (readBlockOnce(translator, block)) {
            return true;
        }
    }
    return false;
}

bool InstrumentTransfer::writeBlockOnce(InstrumentTranslator& translator, int block) {
    std::array<std::uint8_t, addressedFrameSize> frame{writeFrame};
    putBlockNumber(frame.data(), block);
    translator.copyOut(&frame[3], block * blockSize, blockSize);
    appendFcs(frame.data(), frame.size() - 2);
    return sendAddressedFrame(frame.data(), frame.size()) && receiveUnescaped() == writeFrame;
}

bool InstrumentTransfer::writeBlock(InstrumentTranslator& translator, int block) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (writeBlockOnce(translator, block)) {
            return true;
        }
    }
    return false;
}

bool InstrumentTransfer::awaitStreamStart() {
    for (;;) {
        const int byte = receiveStreamByte();
        if (byte < 0) {
            return false;
        }
        if (byte == streamStart) {
            return true;
        }
    }
}

// The streamed frame: SOH, the block number high byte first, 32 data bytes, the CRC high
// byte first and one byte nobody reads. The CRC runs over the bytes as they came off the
// line, escape prefixes included, from the block number to the last data byte.
bool InstrumentTransfer::receiveStreamFrame(InstrumentTranslator& translator, int expectedBlock) {
    if (!awaitStreamStart()) {
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
        return false;
    }
    translator.copyIn(&frame[streamDataOffset], block * blockSize, blockSize);
    return true;
}

bool InstrumentTransfer::readStreamedBlock(InstrumentTranslator& translator, int expectedBlock) {
    sendByte(streamNext);
    for (int reception = 0; reception < streamReceptions; ++reception) {
        if (reception > 0) {
            sendByte(streamRepeat);
        }
        if (receiveStreamFrame(translator, expectedBlock)) {
            return true;
        }
    }
    return false;
}

}  // namespace kadenza
