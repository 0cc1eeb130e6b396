#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::sim {

// The frames an instrument of the current generation sends, as they go on the line.

// 0xAA, the model code low byte first, and the complemented FCS-16, stuffed after the 0xAA.
std::vector<std::uint8_t> numericIdentification(int modelCode);
// The zero-terminated name by which models 1 and 2 can answer instead; empty for any other.
std::vector<std::uint8_t> textIdentification(int modelCode);

// `head`, the block number low byte first, the 32 bytes and the complemented FCS-16 of all
// that, stuffed after the head: the reply to an addressed read (head 0xAB).
std::vector<std::uint8_t> addressedFrame(std::uint8_t head, int block, const std::uint8_t* data);

// SOH, the block number high byte first, the 32 bytes, the CRC-16 over the line bytes from the
// block number to the last data byte, and one more byte; everything after SOH stuffed.
std::vector<std::uint8_t> streamedFrame(int blockNumber, const std::uint8_t* data);

}  // namespace kadenza::sim
