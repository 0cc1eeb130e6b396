#include "model/TemporaryFiles.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace kadenza {

namespace {

// A place for one name. `taken` guards the place while a name is written or wiped; `listed`
// tells the signal handler that the name is complete.
struct Place {
    std::atomic<bool> taken{false};
    std::atomic<bool> listed{false};
    char path[PATH_MAX] = {};
};

std::array<Place, 8> places;

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler reads the flags");

extern "C" void onEndingSignal(int signal) {
    endBySignal(signal);
}

}  // namespace

void rememberTemporaryFile(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return;
    }
    for (Place& place : places) {
        bool expected = false;
        if (place.taken.compare_exchange_strong(expected, true)) {
            std::memcpy(place.path, path.c_str(), path.size() + 1);
            place.listed = true;
            return;
        }
    }
}

void forgetTemporaryFile(const std::string& path) {
    for (Place& place : places) {
        if (place.listed && path == place.path) {
            place.listed = false;
            place.taken = false;
            return;
        }
    }
}

void removeTemporaryFiles() {
    for (Place& place : places) {
        if (place.listed) {
            ::unlink(place.path);
        }
    }
}

// Inside its own handler the signal is blocked: it is let through, so that it ends the
// process the way it would have without a handler.
void endBySignal(int signal) {
    removeTemporaryFiles();
    ::signal(signal, SIG_DFL);
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signal);
    ::sigprocmask(SIG_UNBLOCK, &own, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

void catchUnlessIgnored(int signal, void (*handler)(int)) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
        return;
    }
    ::signal(signal, handler);
}

void removeTemporaryFilesOnSignals() {
    for (int signal : endingSignals) {
        catchUnlessIgnored(signal, onEndingSignal);
    }
}

}  // namespace kadenza
