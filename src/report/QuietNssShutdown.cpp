#include "report/QuietNssShutdown.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace kadenza {

namespace {

int keptStderr = -1;

void muteStderr() {
    std::fflush(stderr);
    keptStderr = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    dup2(null, STDERR_FILENO);
    close(null);
}

void restoreStderr() {
    std::fflush(stderr);
    dup2(keptStderr, STDERR_FILENO);
    close(keptStderr);
}

}  // namespace

bool signQuietlyAtExit(const std::function<bool()>& sign) {
    static std::once_flag first;
    bool wasFirst = false;
    bool signedIt = false;
    std::call_once(first, [&] {
        std::atexit(restoreStderr);
        signedIt = sign();
        std::atexit(muteStderr);
        wasFirst = true;
    });
    return wasFirst ? signedIt : sign();
}

}  // namespace kadenza
