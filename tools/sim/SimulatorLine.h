#pragma once

#include <cstdint>

#include "sim/FaultInjector.h"
#include "sim/InstrumentBehaviour.h"
#include "sim/LinePacer.h"

namespace kadenza::sim {

// The instrument's end of the serial line: a pseudo-terminal's master or a real port, with
// the line's pace and the faults the instrument's bytes suffer on their way.
class SimulatorLine {
  public:
    // The descriptor stays the caller's.
    SimulatorLine(int fd, int baud, const InstrumentBehaviour& behaviour);

    // Up to `capacity` bytes from the program, waiting at most `timeoutMs` for the first;
    // 0 when none came.
    int receive(std::uint8_t* buffer, int capacity, int timeoutMs);
    // One byte as the instrument sends it: through the faults and at the line's pace.
    void send(std::uint8_t byte);
    // False while the line holds as many unread bytes as it can: a send would wait.
    bool hasRoom() const;

    FaultInjector& faults() { return faults_; }

  private:
    void write(std::uint8_t byte);

    int fd_;
    LinePacer pacer_;
    FaultInjector faults_;
};

}  // namespace kadenza::sim
