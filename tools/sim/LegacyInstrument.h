#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/ClientWatch.h"
#include "sim/InstrumentBehaviour.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimulatorLine.h"

namespace kadenza::sim {

// What an Mx310.1 sends when it transmits: the start byte "A" and the frame.
std::vector<std::uint8_t> legacyTransmission(const std::vector<std::uint8_t>& frame);

// An Mx310.1 on a serial line at 1200 baud. It takes in nothing and pushes its transmission
// on its own, so it needs to know when a program listens: on a pseudo-terminal it watches
// the port being opened; on a real port, whose other end cannot be seen, it transmits at once
// and again every ten seconds.
class LegacyInstrument {
  public:
    // Transmits once to every program that opens the terminal's port, a moment after the
    // open so that the program has set up and purged the port; a program that closes the
    // port cuts the transmission short.
    LegacyInstrument(PseudoTerminal& terminal, const InstrumentBehaviour& behaviour,
                     std::vector<std::uint8_t> transmission);
    // `fd` is a real port and stays the caller's.
    LegacyInstrument(int fd, const InstrumentBehaviour& behaviour,
                     std::vector<std::uint8_t> transmission);

    // Transmits as described until `stop` is set (checked at least every 50 ms).
    void run(const std::atomic<bool>& stop);

  private:
    bool listenerArrived();
    bool listenerPresent();
    // Waits for the program to set up its port, taking in whatever arrives meanwhile.
    void settle(const std::atomic<bool>& stop);
    void transmit(const std::atomic<bool>& stop);

    PseudoTerminal* terminal_ = nullptr;
    std::optional<ClientWatch> watch_;
    bool silent_;
    SimulatorLine line_;
    std::vector<std::uint8_t> transmission_;
    std::chrono::steady_clock::time_point nextTransmission_;
};

}  // namespace kadenza::sim
