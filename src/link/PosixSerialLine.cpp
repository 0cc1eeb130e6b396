#include "link/PosixSerialLine.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace kadenza {

namespace {

using Clock = std::chrono::steady_clock;

// The line counts as settled after this much silence: longer than the gaps inside an answer,
// even one that a USB adapter hands on in chunks every 16 ms.
constexpr auto settledQuiet = std::chrono::milliseconds(30);
// A line that never falls quiet is left after this long, so a stop still comes through.
constexpr auto settleLimit = std::chrono::milliseconds(250);

speed_t speedFor(int baud) {
    switch (baud) {
        case instrumentBaud:
            return B19200;
        case legacyBaud:
            return B1200;
    }
    return B0;
}

}  // namespace

PortProblem portProblemForOpenError(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return PortProblem::NoPermission;
        case EBUSY:
        case EWOULDBLOCK:
            return PortProblem::InUse;
        case ENOTTY:
        case EINVAL:
            return PortProblem::NotSerial;
    }
    return PortProblem::NotResponding;
}

PosixSerialLine::PosixSerialLine(const std::string& path, int baud) {
    // Non-blocking, so that opening a modem port does not wait for a carrier; every read and
    // write waits in poll instead.
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        problem_ = portProblemForOpenError(errno);
        return;
    }
    if (!claim()) {
        problem_ = PortProblem::InUse;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    if (!configure(baud)) {
        problem_ = PortProblem::NotSerial;
        release();
    }
}

PosixSerialLine::~PosixSerialLine() {
    if (fd_ >= 0) {
        release();
    }
}

// The lock keeps out other programs that lock as we do; TIOCEXCL keeps out every other
// open except root's.
bool PosixSerialLine::claim() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    ::ioctl(fd_, TIOCEXCL);
    return true;
}

bool PosixSerialLine::configure(int baud) {
    const speed_t speed = speedFor(baud);
    if (speed == B0 || ::tcgetattr(fd_, &original_) != 0) {
        return false;
    }
    restoresSettings_ = true;
    // Built from all zero, so no echo, no line editing, no character translation and no
    // software flow control: every byte value passes. CLOCAL ignores the carrier, HUPCL drops
    // DTR when the line is closed; no CRTSCTS.
    termios settings{};
    settings.c_cflag = CS8 | CREAD | CLOCAL | HUPCL;
    if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0 ||
        ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
        return false;
    }
    // Some adapters power themselves from DTR. A pseudo-terminal has no modem lines and
    // refuses both calls, which does no harm.
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIS, &dtr);
    int rts = TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &rts);
    return true;
}

// The port gets back the settings it had, for the next program that uses it. TIOCEXCL on a
// pseudo-terminal outlives the close while the other end stays open, so it is cleared too;
// closing drops the lock.
void PosixSerialLine::release() {
    if (restoresSettings_ && !gone_) {
        ::tcsetattr(fd_, TCSANOW, &original_);
    }
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

short PosixSerialLine::waitFor(short events) {
    return waitFor(events, std::chrono::milliseconds(byteTimeoutMs));
}

short PosixSerialLine::waitFor(short events, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    pollfd request{fd_, events, 0};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int ready =
            ::poll(&request, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready >= 0) {
            return ready > 0 ? request.revents : 0;
        }
        if (errno != EINTR) {
            return POLLERR;
        }
    }
}

bool PosixSerialLine::sendByte(std::uint8_t byte) {
    if (fd_ < 0 || gone_ || waitFor(POLLOUT) == 0) {
        return false;
    }
    const ssize_t written = ::write(fd_, &byte, 1);
    if (written == 1) {
        return true;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR) {
        gone_ = true;
    }
    return false;
}

// Whatever poll reports, the read tells: a byte, nothing yet, or an end of file or error
// when the device hung up.
int PosixSerialLine::receiveByte() {
    if (fd_ < 0 || gone_ || waitFor(POLLIN) == 0) {
        return -1;
    }
    std::uint8_t byte = 0;
    const ssize_t got = ::read(fd_, &byte, 1);
    if (got == 1) {
        return byte;
    }
    if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
        gone_ = true;
    }
    return -1;
}

void PosixSerialLine::purge() {
    if (fd_ >= 0) {
        ::tcflush(fd_, TCIOFLUSH);
    }
}

void PosixSerialLine::settle() {
    const Clock::time_point limit = Clock::now() + settleLimit;
    while (fd_ >= 0 && !gone_ && Clock::now() < limit) {
        if (waitFor(POLLIN, settledQuiet) == 0) {
            return;
        }
        std::uint8_t dropped[64];
        const ssize_t got = ::read(fd_, dropped, sizeof dropped);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
            gone_ = true;
        }
    }
}

}  // namespace kadenza
