#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::test {

using Bytes = std::vector<std::uint8_t>;

// The program's side of the frames, written out here so that the simulator's own frame
// building is not what checks it.

// A whole addressed frame as it goes on the line: `frame` with its complemented FCS-16,
// low byte first, stuffed after the first byte.
Bytes addressedLine(const Bytes& frame);
// The program's addressed read request for the block, and its write frame of 32 bytes.
Bytes readRequestLine(int block);
Bytes writeRequestLine(int block, const Bytes& data);
// The unstuffed bytes of an addressed frame received from the line.
Bytes unstuffAddressed(const Bytes& line);
// True when the unstuffed frame ends with a correct check sequence.
bool fcsChecksOut(const Bytes& frame);

// A streamed frame received from the line, taken apart.
struct StreamedFrame {
    bool complete = false;
    // Offsets 0 to 36 unstuffed: block number high and low, 32 bytes, CRC high and low, one more.
    Bytes body;
    // The CRC computed over the line bytes from after SOH through those of offset 33.
    std::uint16_t lineCrc = 0;
    // How many bytes of the line the frame took, SOH included.
    std::size_t lineLength = 0;

    int blockNumber() const { return body[0] << 8 | body[1]; }
    Bytes data() const { return {body.begin() + 2, body.begin() + 34}; }
    std::uint16_t sentCrc() const { return static_cast<std::uint16_t>(body[34] << 8 | body[35]); }
};
// The frame that starts at `start` of `line`, which must be SOH.
StreamedFrame parseStreamedFrame(const Bytes& line, std::size_t start = 0);

}  // namespace kadenza::test
