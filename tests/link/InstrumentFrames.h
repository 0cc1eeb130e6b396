#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::test {

// Line bytes of the block protocols, stuffed and checked as an instrument of the current
// generation does.

std::vector<std::uint8_t> numericIdentification(int modelCode);

// The program's addressed read request for block `block`.
std::vector<std::uint8_t> readRequestFor(int block);

// An addressed block frame: a read reply (first byte 0xAB) or a write frame (0xAC) carrying
// `data` (32 bytes) as block `block`.
std::vector<std::uint8_t> blockFrame(std::uint8_t first, int block, const std::uint8_t* data);
// The replies of blocks start to start + count - 1 of an 8192-byte image.
std::vector<std::uint8_t> addressedReplies(const std::vector<std::uint8_t>& image, int start,
                                           int count);

// Where the streamed frame's CRC was computed: over the bytes on the line, escape prefixes
// included, as the instruments do, or (wrongly) over the bytes before stuffing.
enum class CrcOver { lineBytes, plainBytes };

// SOH and the streamed frame numbered `block` carrying `data` (32 bytes).
std::vector<std::uint8_t> streamFrame(int block, const std::uint8_t* data,
                                      CrcOver over = CrcOver::lineBytes);
// Image blocks start to start + count - 1 as streamed frames numbered from 0.
std::vector<std::uint8_t> streamFrames(const std::vector<std::uint8_t>& image, int start,
                                       int count);

}  // namespace kadenza::test
