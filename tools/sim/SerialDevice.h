#pragma once

#include <string>

namespace kadenza::sim {

// A real serial port the instrument plays on, for a program on another computer at the end
// of a null-modem cable: raw 8N1 at the model's baud, no flow control.
class SerialDevice {
  public:
    // Throws FileError when the port cannot be opened or set up.
    SerialDevice(const std::string& path, int baud);
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    int fd() const { return fd_; }

  private:
    int fd_ = -1;
};

}  // namespace kadenza::sim
