#pragma once

#include <cstddef>
#include <istream>
#include <vector>

#include "link/SerialLine.h"

namespace kadenza {

// Plays back what a TracingLine saw arrive, byte for byte and empty read for empty read,
// and keeps what is sent, so a recorded exchange runs again without an instrument.
class ReplayLine : public SerialLine {
  public:
    // Takes the "<" lines of the trace; every other line (sent bytes, purges, notes someone
    // added) is skipped.
    explicit ReplayLine(std::istream& trace);

    // Always goes out.
    bool sendByte(std::uint8_t byte) override;
    // The next reception of the trace; empty once the trace is played out.
    int receiveByte() override;
    // The trace holds only what arrived after each purge, so there is nothing to drop.
    void purge() override {}
    void settle() override {}

    const std::vector<std::uint8_t>& sent() const { return sent_; }
    bool playedOut() const { return next_ == receptions_.size(); }

  private:
    std::vector<int> receptions_;
    std::size_t next_ = 0;
    std::vector<std::uint8_t> sent_;
};

}  // namespace kadenza
