#include "InstrumentFrames.h"

#include "link/ProtocolBytes.h"
#include "translators/Fcs16.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::test {

namespace {

// An addressed frame: the first byte plain, the rest stuffed, the FCS complement low byte
// first at the end.
std::vector<std::uint8_t> addressedFrame(std::vector<std::uint8_t> plain) {
    const std::uint16_t check = static_cast<std::uint16_t>(~fcs16(plain.data(), plain.size()));
    plain.push_back(static_cast<std::uint8_t>(check & 0xFF));
    plain.push_back(static_cast<std::uint8_t>(check >> 8));
    std::vector<std::uint8_t> line{plain.front()};
    for (std::size_t i = 1; i < plain.size(); ++i) {
        if (needsAddressedStuffing(plain[i])) {
            line.push_back(addressedEscape);
            line.push_back(static_cast<std::uint8_t>(plain[i] ^ addressedStuffingMask));
        } else {
            line.push_back(plain[i]);
        }
    }
    return line;
}

// The instrument escapes the frame start and the escape byte itself.
void putStreamed(std::vector<std::uint8_t>& line, std::uint8_t byte) {
    if (byte == streamStart || byte == streamEscape) {
        line.push_back(streamEscape);
        line.push_back(static_cast<std::uint8_t>(byte ^ streamStuffingMask));
    } else {
        line.push_back(byte);
    }
}

std::uint16_t streamCrc(const std::vector<std::uint8_t>& bytes) {
    std::uint16_t crc = 0;
    for (const std::uint8_t byte : bytes) {
        crc = streamCrcStep(crc, byte);
    }
    return crc;
}

}  // namespace

std::vector<std::uint8_t> numericIdentification(int modelCode) {
    return addressedFrame({identifyRequest, static_cast<std::uint8_t>(modelCode & 0xFF),
                           static_cast<std::uint8_t>(modelCode >> 8)});
}

std::vector<std::uint8_t> readRequestFor(int block) {
    return addressedFrame({readRequest, static_cast<std::uint8_t>(block & 0xFF),
                           static_cast<std::uint8_t>(block >> 8 & 0xFF)});
}

std::vector<std::uint8_t> blockFrame(std::uint8_t first, int block, const std::uint8_t* data) {
    std::vector<std::uint8_t> plain{first, static_cast<std::uint8_t>(block & 0xFF),
                                    static_cast<std::uint8_t>(block >> 8 & 0xFF)};
    plain.insert(plain.end(), data, data + blockSize);
    return addressedFrame(plain);
}

std::vector<std::uint8_t> addressedReplies(const std::vector<std::uint8_t>& image, int start,
                                           int count) {
    std::vector<std::uint8_t> line;
    for (int block = start; block < start + count; ++block) {
        const std::vector<std::uint8_t> reply =
            blockFrame(readRequest, block, &image[block * blockSize]);
        line.insert(line.end(), reply.begin(), reply.end());
    }
    return line;
}

std::vector<std::uint8_t> streamFrame(int block, const std::uint8_t* data, CrcOver over) {
    std::vector<std::uint8_t> plain{static_cast<std::uint8_t>(block >> 8),
                                    static_cast<std::uint8_t>(block & 0xFF)};
    plain.insert(plain.end(), data, data + blockSize);
    std::vector<std::uint8_t> line;
    for (const std::uint8_t byte : plain) {
        putStreamed(line, byte);
    }
    const std::uint16_t crc = streamCrc(over == CrcOver::lineBytes ? line : plain);
    putStreamed(line, static_cast<std::uint8_t>(crc >> 8));
    putStreamed(line, static_cast<std::uint8_t>(crc & 0xFF));
    line.push_back(0);
    line.insert(line.begin(), streamStart);
    return line;
}

std::vector<std::uint8_t> streamFrames(const std::vector<std::uint8_t>& image, int start,
                                       int count) {
    std::vector<std::uint8_t> line;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::uint8_t> frame = streamFrame(i, &image[(start + i) * blockSize]);
        line.insert(line.end(), frame.begin(), frame.end());
    }
    return line;
}

}  // namespace kadenza::test
