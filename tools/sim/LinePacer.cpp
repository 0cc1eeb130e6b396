#include "sim/LinePacer.h"

#include <thread>

namespace kadenza::sim {

namespace {

constexpr int bitsPerByte = 10;

}  // namespace

LinePacer::LinePacer(int baud, bool enabled)
    : enabled_(enabled),
      byteTime_(std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(bitsPerByte)) /
                baud),
      lineFree_(Clock::now()) {}

void LinePacer::waitToSend() {
    if (enabled_) {
        std::this_thread::sleep_until(book());
    }
}

void LinePacer::bookReceived(int count) {
    for (int byte = 0; enabled_ && byte < count; ++byte) {
        book();
    }
}

LinePacer::Clock::time_point LinePacer::book() {
    // Every wait oversleeps a little. Counting on from the booked time, unless the line has
    // been idle for longer than a byte, keeps that from adding up over a long download.
    const Clock::time_point now = Clock::now();
    const Clock::time_point start = now > lineFree_ + byteTime_ ? now : lineFree_;
    lineFree_ = start + byteTime_;
    return lineFree_;
}

}  // namespace kadenza::sim
