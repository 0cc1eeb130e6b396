#include "sim/SerialDevice.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/ProtocolBytes.h"
#include "sim/SimulatorError.h"

namespace kadenza::sim {

namespace {

speed_t speedOf(int baud) {
    return baud == legacyBaud ? B1200 : B19200;
}

}  // namespace

SerialDevice::SerialDevice(const std::string& path, int baud) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        throw FileError("cannot open " + path + ": " + std::strerror(errno));
    }
    termios settings{};
    cfmakeraw(&settings);
    // Receiver on, modem lines ignored: the other end may not drive them.
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&settings, speedOf(baud));
    cfsetospeed(&settings, speedOf(baud));
    if (tcsetattr(fd_, TCSANOW, &settings) != 0) {
        const std::string reason = std::strerror(errno);
        close(fd_);
        throw FileError("cannot set up " + path + ": " + reason);
    }
    tcflush(fd_, TCIOFLUSH);
}

SerialDevice::~SerialDevice() {
    close(fd_);
}

}  // namespace kadenza::sim
