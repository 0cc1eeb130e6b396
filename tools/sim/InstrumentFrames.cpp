#include "sim/InstrumentFrames.h"

#include <cstring>

#include "link/ProtocolBytes.h"
#include "translators/Fcs16.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::sim {

namespace {

// The byte after the CRC: the receiver reads it but does not look at it.
constexpr std::uint8_t streamTrailer = 0x03;

std::uint8_t lowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t highByte(int value) {
    return static_cast<std::uint8_t>(value >> 8 & 0xFF);
}

// The unstuffed frame followed by the complement of its FCS-16, low byte first.
std::vector<std::uint8_t> withFcs(std::vector<std::uint8_t> frame) {
    const std::uint16_t check = static_cast<std::uint16_t>(~fcs16(frame.data(), frame.size()));
    frame.push_back(lowByte(check));
    frame.push_back(highByte(check));
    return frame;
}

std::vector<std::uint8_t> stuffAddressed(const std::vector<std::uint8_t>& frame) {
    std::vector<std::uint8_t> line{frame.front()};
    for (std::size_t i = 1; i < frame.size(); ++i) {
        if (needsAddressedStuffing(frame[i])) {
            line.push_back(addressedEscape);
            line.push_back(static_cast<std::uint8_t>(frame[i] ^ addressedStuffingMask));
        } else {
            line.push_back(frame[i]);
        }
    }
    return line;
}

bool needsStreamStuffing(std::uint8_t byte) {
    return byte == streamStart || byte == streamEscape;
}

void appendStreamStuffed(std::vector<std::uint8_t>& line, std::uint8_t byte) {
    if (needsStreamStuffing(byte)) {
        line.push_back(streamEscape);
        line.push_back(static_cast<std::uint8_t>(byte ^ streamStuffingMask));
    } else {
        line.push_back(byte);
    }
}

}  // namespace

std::vector<std::uint8_t> numericIdentification(int modelCode) {
    return stuffAddressed(withFcs({identifyRequest, lowByte(modelCode), highByte(modelCode)}));
}

std::vector<std::uint8_t> textIdentification(int modelCode) {
    const char* name = modelCode == 1 ? "mx340 0" : modelCode == 2 ? "mx320" : nullptr;
    if (name == nullptr) {
        return {};
    }
    return {name, name + std::strlen(name) + 1};
}

std::vector<std::uint8_t> addressedFrame(std::uint8_t head, int block, const std::uint8_t* data) {
    std::vector<std::uint8_t> frame{head, lowByte(block), highByte(block)};
    frame.insert(frame.end(), data, data + blockSize);
    return stuffAddressed(withFcs(frame));
}

std::vector<std::uint8_t> streamedFrame(int blockNumber, const std::uint8_t* data) {
    std::vector<std::uint8_t> body{highByte(blockNumber), lowByte(blockNumber)};
    body.insert(body.end(), data, data + blockSize);

    std::vector<std::uint8_t> line{streamStart};
    for (std::uint8_t byte : body) {
        appendStreamStuffed(line, byte);
    }
    std::uint16_t crc = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        crc = streamCrcStep(crc, line[i]);
    }
    appendStreamStuffed(line, highByte(crc));
    appendStreamStuffed(line, lowByte(crc));
    appendStreamStuffed(line, streamTrailer);
    return line;
}

}  // namespace kadenza::sim
