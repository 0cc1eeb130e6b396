#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::samples {

// The frame an Mx310.1 sends after its start byte, being built.
class LegacyFrameBuilder {
  public:
    LegacyFrameBuilder();
    std::vector<std::uint8_t> bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// The sample frame of an Mx310.1.
LegacyFrameBuilder legacySample();

}  // namespace kadenza::samples
