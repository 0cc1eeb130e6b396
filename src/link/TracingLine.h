#pragma once

#include <chrono>
#include <ostream>

#include "link/SerialLine.h"

namespace kadenza {

// Passes every call to another line and writes one trace line per call: the time since the
// trace began in milliseconds to the microsecond, the direction and the byte in hex.
//
//       0.412 purge
//       0.530 > AA
//     201.114 < --
//     203.020 < AA
//     203.611 > AC failed
//
// "< --" is a read that got nothing within the time-out, "failed" a byte that did not go
// out; "settle" marks where the bytes still arriving after a failed answer were dropped. ReplayLine
// reads such a trace back, so a failed download can become a test.
class TracingLine : public SerialLine {
  public:
    TracingLine(SerialLine& line, std::ostream& trace);

    bool sendByte(std::uint8_t byte) override;
    int receiveByte() override;
    void purge() override;
    void settle() override;
    bool isConnected() const override { return line_.isConnected(); }

  private:
    void writeTime();

    SerialLine& line_;
    std::ostream& trace_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace kadenza
