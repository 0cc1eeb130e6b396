#include "PtyClient.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kadenza::test {

PtyClient::PtyClient(const std::string& devicePath) {
    fd_ = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ >= 0) {
        termios settings{};
        tcgetattr(fd_, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd_, TCSANOW, &settings);
    }
}

PtyClient::~PtyClient() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void PtyClient::send(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd_, bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::vector<std::uint8_t> PtyClient::receive(int quietMs) {
    return receive(SIZE_MAX, quietMs);
}

std::vector<std::uint8_t> PtyClient::receive(std::size_t count, int quietMs) {
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[512];
    while (bytes.size() < count) {
        pollfd waiting{fd_, POLLIN, 0};
        if (poll(&waiting, 1, quietMs) <= 0) {
            break;
        }
        const std::size_t wanted = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = read(fd_, buffer, wanted);
        if (got <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

std::vector<std::uint8_t> PtyClient::exchange(const std::vector<std::uint8_t>& request,
                                              int quietMs) {
    send(request);
    return receive(quietMs);
}

}  // namespace kadenza::test
