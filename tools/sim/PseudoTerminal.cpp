#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim/SimulatorError.h"

namespace kadenza::sim {

namespace {

// Closes what is open so far and reports the reason of the last call that failed.
[[noreturn]] void fail(int openFd) {
    const int reason = errno;
    if (openFd >= 0) {
        close(openFd);
    }
    throw FileError(std::string("cannot open a pseudo-terminal: ") + std::strerror(reason));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd_ < 0) {
        fail(-1);
    }
    char name[128];
    if (grantpt(masterFd_) != 0 || unlockpt(masterFd_) != 0 ||
        ptsname_r(masterFd_, name, sizeof name) != 0) {
        fail(masterFd_);
    }
    devicePath_ = name;
    slaveFd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        fail(masterFd_);
    }
    // The line's settings live with the program's end (on the master they reach the same
    // place). Raw: no byte is echoed back to the instrument, translated or held back, until
    // the program sets its own.
    termios settings{};
    tcgetattr(slaveFd_, &settings);
    cfmakeraw(&settings);
    tcsetattr(slaveFd_, TCSANOW, &settings);
}

PseudoTerminal::~PseudoTerminal() {
    close(slaveFd_);
    close(masterFd_);
}

void PseudoTerminal::discardUnread() {
    tcflush(slaveFd_, TCIFLUSH);
}

}  // namespace kadenza::sim
