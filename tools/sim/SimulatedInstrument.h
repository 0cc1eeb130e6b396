#pragma once

#include <atomic>
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
    void answer(std::vector<std::uint8_t> reply);
    bool answers() const;

    InstrumentBehaviour behaviour_;
    SimulatorLine line_;
    InstrumentProtocol protocol_;
    int blocksMoved_ = 0;
};

}  // namespace kadenza::sim
