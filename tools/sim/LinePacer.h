#pragma once

#include <chrono>

namespace kadenza::sim {

// Keeps the instrument to the pace of a real serial line, where every byte takes ten bit
// times (start bit, eight data bits, stop bit). A pseudo-terminal delivers the program's
// bytes at once, so their wire time is booked too and the answer waits for it, as it would
// behind a real cable. A pacer that is not enabled never waits.
class LinePacer {
  public:
    using Clock = std::chrono::steady_clock;

    LinePacer(int baud, bool enabled);

    // Books the line for one byte the instrument sends and waits until that byte would have
    // reached the other end.
    void waitToSend();
    // Books the line for bytes the program sent.
    void bookReceived(int count);

  private:
    // Books one byte time from when the line is next free; returns when that byte is through.
    Clock::time_point book();

    bool enabled_;
    Clock::duration byteTime_;
    Clock::time_point lineFree_;
};

}  // namespace kadenza::sim
