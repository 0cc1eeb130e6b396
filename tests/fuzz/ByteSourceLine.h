#pragma once

#include <cstddef>
#include <cstdint>

#include "link/SerialLine.h"

namespace kadenza::fuzz {

// A serial line whose instrument says the given bytes, one per read, and then nothing; the
// line counts as gone once they are used up, so no wait outlasts the input.
class ByteSourceLine : public SerialLine {
  public:
    ByteSourceLine(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool sendByte(std::uint8_t) override { return true; }
    int receiveByte() override { return next_ < size_ ? bytes_[next_++] : -1; }
    void purge() override {}
    void settle() override {}
    bool isConnected() const override { return next_ < size_; }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t next_ = 0;
};

}  // namespace kadenza::fuzz
