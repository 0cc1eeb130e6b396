#pragma once

#include <cstdint>

namespace kadenza {

// Bytes of the two block protocols of the current instruments.

// Addressed protocol: the program names each block; frames carry an FCS-16 and stuff with ESC.
constexpr std::uint8_t identifyRequest = 0xAA;  // also the first byte of a numeric reply
constexpr std::uint8_t readRequest = 0xAB;      // request and reply
constexpr std::uint8_t writeFrame = 0xAC;       // write frame and its acknowledgement
constexpr std::uint8_t readRefusal = 0xAD;
constexpr std::uint8_t addressedEscape = 0x1B;
constexpr std::uint8_t addressedStuffingMask = 0x20;

// Streamed protocol: the instrument sends block after block; frames carry a CRC-16 over the
// bytes as they are on the line and stuff with 0x0B.
constexpr std::uint8_t streamNext = 0xA5;
constexpr std::uint8_t streamRepeat = 0x55;
constexpr std::uint8_t streamStart = 0x01;
constexpr std::uint8_t streamEscape = 0x0B;
constexpr std::uint8_t streamStuffingMask = 0x80;
// A streamed frame with this block number is valid and carries nothing for the image.
constexpr int streamNoBlock = 0xFFFF;

// Bytes 32 data bytes travel in, besides the frame's own head and check.
constexpr int addressedFrameSize = 37;
constexpr int streamFrameSize = 37;

// After the first byte of an addressed frame, these values go as ESC, value XOR 0x20.
constexpr bool needsAddressedStuffing(std::uint8_t byte) {
    return (byte >= 0xAA && byte <= 0xAE) || byte == addressedEscape;
}

// One step of the streamed protocol's CRC-16 (polynomial 0x1021, most significant bit
// first, started at 0, no final inversion).
constexpr std::uint16_t streamCrcStep(std::uint16_t crc, std::uint8_t byte) {
    crc = static_cast<std::uint16_t>(crc ^ byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
        crc = static_cast<std::uint16_t>(crc & 0x8000 ? crc << 1 ^ 0x1021 : crc << 1);
    }
    return crc;
}

// Serial speeds: the current instruments talk at 19200 baud, the Mx310.1 at 1200.
constexpr int instrumentBaud = 19200;
constexpr int legacyBaud = 1200;
// How long a read waits for one byte before it counts as empty.
constexpr int byteTimeoutMs = 200;

}  // namespace kadenza
