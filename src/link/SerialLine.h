#pragma once

#include <cstdint>

namespace kadenza {

// A serial line to an instrument, one byte at a time. Everything above it (framing,
// checksums, retries) is built from these calls, so a recorded byte stream or another
// platform's port can stand in.
class SerialLine {
  public:
    virtual ~SerialLine() = default;

    // True when the byte went out.
    virtual bool sendByte(std::uint8_t byte) = 0;
    // The next byte, or -1 when none arrived within the read time-out (or the line is gone).
    virtual int receiveByte() = 0;
    // Drops whatever is waiting to be sent or read.
    virtual void purge() = 0;
    // Drops what goes on arriving until the line has been quiet for a moment (or a short
    // limit has passed): the rest of an answer that failed is not taken for the next one.
    virtual void settle() = 0;
    // False once the line cannot carry bytes any more (never opened, or the device went
    // away), so that a wait without a time limit can end.
    virtual bool isConnected() const { return true; }
};

}  // namespace kadenza
