#pragma once

#include <termios.h>

#include <chrono>
#include <string>

#include "link/ProtocolBytes.h"
#include "link/SerialLine.h"

namespace kadenza {

// Why a serial device could not be taken for a transfer.
enum class PortProblem {
    None,
    NoPermission,   // the user may not open the device (not in the dialout group)
    InUse,          // another program holds it
    NotSerial,      // it refuses serial line settings
    NotResponding,  // it is gone or its driver reports an error
};

// The problem an errno of opening a device stands for.
PortProblem portProblemForOpenError(int error);

// A serial device of a POSIX system (a UART, a USB adapter, a pseudo-terminal), held for
// exclusive use while the object lives: raw 8N1, no flow control, DTR on and RTS off.
// A device that cannot be opened, is held by another program or is not a terminal gives a
// closed line: every send fails and every read is empty at once, so the job above reports
// the instrument as not connected.
class PosixSerialLine : public SerialLine {
  public:
    // `baud` is instrumentBaud or legacyBaud; any other speed gives a closed line.
    explicit PosixSerialLine(const std::string& path, int baud = instrumentBaud);
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    // False when the device could not be opened; still true after the device vanished.
    bool isOpen() const { return fd_ >= 0; }
    // Why the device could not be opened; None when it was.
    PortProblem problem() const { return problem_; }

    bool sendByte(std::uint8_t byte) override;
    int receiveByte() override;
    void purge() override;
    void settle() override;
    bool isConnected() const override { return isOpen() && !gone_; }

  private:
    bool claim();
    bool configure(int baud);
    void release();
    // The poll events that arrived within the byte time-out (or `timeout`), 0 when none did.
    short waitFor(short events);
    short waitFor(short events, std::chrono::milliseconds timeout);

    int fd_ = -1;
    PortProblem problem_ = PortProblem::None;
    // The settings the port had before it was configured, put back when it is let go.
    termios original_{};
    bool restoresSettings_ = false;
    // Set when the device hung up or failed: an unplugged adapter does not come back under
    // the same open file, so later calls fail at once instead of waiting out the time-out.
    bool gone_ = false;
};

}  // namespace kadenza
