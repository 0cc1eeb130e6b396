#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "sim/InstrumentBehaviour.h"
#include "sim/InstrumentProtocol.h"
#include "sim/SimulatorLine.h"

namespace kadenza::sim {

// An instrument of the current generation on a serial line: answers the program from its
// memory image at 19200 baud, as its behaviour says.
class SimulatedInstrument {
  public:
    // `fd` is the instrument's end of the line and stays the caller's.
    SimulatedInstrument(int fd, const InstrumentBehaviour& behaviour,
                        std::vector<std::uint8_t> image);

    // Answers the program until `stop` is set (checked at least every 50 ms).
    void run(const std::atomic<bool>& stop);

    // The memory with the blocks the program wrote. Read it once run has returned.
    const std::vector<std::uint8_t>& image() const { return protocol_.image(); }

  private:
    using Clock = std::chrono::steady_clock;
    using Request = InstrumentProtocol::Request;

    void take(const Request& request, const std::atomic<bool>& stop);
    std::vector<std::uint8_t> replyTo(const Request& request);
    bool losesFrame(const Request& request);
    bool answersLate(const Request& request);
    bool straysBefore(const Request& request);
    void waitLate(const std::atomic<bool>& stop);
    void send(const std::vector<std::uint8_t>& reply);
    void babble();
    bool answers() const;

    InstrumentBehaviour behaviour_;
    SimulatorLine line_;
    InstrumentProtocol protocol_;
    int blocksMoved_ = 0;
    // What the misbehaviours have used up.
    bool lateBlockDone_ = false;
    int lateIdentifications_ = 0;
    bool strayDone_ = false;
    bool lostWriteDone_ = false;
    bool babbling_ = false;
    Clock::time_point babbledUntil_;
};

}  // namespace kadenza::sim
