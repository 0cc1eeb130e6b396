#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::samples {

// The frame an Mx310.1 sends after its start byte, being built: 17 header bytes, 128 records
// of 4 bytes, the checksum and one last byte.
class LegacyFrameBuilder {
  public:
    // Every record unused (all bytes 0xFF, a kind without a measurement), the header, the
    // checksum and the last byte 0.
    LegacyFrameBuilder();

    // Record r (0 to 127): the signed reading and the kind code (0 to 255).
    LegacyFrameBuilder& record(int r, int reading, int kind);
    // Byte i (0 to 531) as it is, for header bytes and for damaged frames.
    LegacyFrameBuilder& byte(int i, int value);
    // Stores the checksum of the 128 records as they are now.
    LegacyFrameBuilder& seal();

    std::vector<std::uint8_t> bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// The sample frame of an Mx310.1, sealed.
LegacyFrameBuilder legacySample();

}  // namespace kadenza::samples
