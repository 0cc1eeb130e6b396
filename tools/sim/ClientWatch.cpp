#include "sim/ClientWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/SimulatorError.h"

namespace kadenza::sim {

ClientWatch::ClientWatch(const std::string& devicePath) {
    inotifyFd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd_ < 0 ||
        inotify_add_watch(inotifyFd_, devicePath.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        const int reason = errno;
        close(inotifyFd_);
        throw FileError("cannot watch " + devicePath + ": " + std::strerror(reason));
    }
}

ClientWatch::~ClientWatch() {
    close(inotifyFd_);
}

bool ClientWatch::clientArrived() {
    update();
    const bool arrived = arrived_;
    arrived_ = false;
    return arrived;
}

bool ClientWatch::clientPresent() {
    update();
    return openCount_ > 0;
}

void ClientWatch::update() {
    alignas(inotify_event) char buffer[4096];
    ssize_t length = 0;
    while ((length = read(inotifyFd_, buffer, sizeof buffer)) > 0) {
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if ((event->mask & IN_OPEN) != 0) {
                ++openCount_;
                arrived_ = true;
            }
            if ((event->mask & IN_CLOSE) != 0 && openCount_ > 0) {
                --openCount_;
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

}  // namespace kadenza::sim
