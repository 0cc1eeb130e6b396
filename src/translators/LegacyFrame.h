#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/InstrumentData.h"
#include "model/InstrumentItem.h"

namespace kadenza {

// The older Mx310.1 pushes its whole memory as one frame after the start byte "A": 17 header
// bytes, 128 records of 4 bytes, the checksum low byte first, and one more byte.
constexpr std::uint8_t legacyStartByte = 0x41;
constexpr int legacyFrameSize = 532;
constexpr int legacyHeaderSize = 17;
constexpr int legacyRecordCount = 128;
constexpr int legacyRecordSize = 4;
constexpr int legacyMemorySize = legacyRecordCount * legacyRecordSize;
constexpr int legacyChecksumPosition = legacyHeaderSize + legacyMemorySize;

// The frame's checksum over `length` bytes (the 512 memory bytes).
std::uint16_t legacyCrc16(const std::uint8_t* bytes, std::size_t length);

// True when the checksum stored in the frame matches its memory bytes.
bool legacyFrameIsValid(const std::uint8_t* frame);

// Clears the container and fills one bank, number 0, with the frame's records.
void decodeLegacyFrame(const std::uint8_t* frame, InstrumentData& data);

// The item of record r (0 to 127) of the 512 memory bytes, or none for a kind without an item
// or a record number outside the memory.
std::unique_ptr<InstrumentItem> decodeLegacyRecord(const std::uint8_t* memory, int r);

}  // namespace kadenza
