#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::samples {

// An instrument memory image being built: 8192 bytes, 0xFF where nothing was written, as
// the memory of an instrument that never stored there.
class MemoryImage {
  public:
    MemoryImage();

    void setByte(int position, int value);
    // Low byte first, as every model stores its words.
    void setWord(int position, int value);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace kadenza::samples
