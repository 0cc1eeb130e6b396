#include "model/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kadenza {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the descriptor still holds the file the path names.
bool isStillAt(int descriptor, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(descriptor, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           sameFile(held, named);
}

int lockedDescriptor(int descriptor) {
    while (::flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return descriptor;
}

bool isRegularFile(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

// Opened without waiting, so that a FIFO at the path does not hold the program up; only a
// regular file is locked.
FileLock::FileLock(const std::string& path) {
    for (;;) {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) {
            return;
        }
        if (!isRegularFile(descriptor)) {
            ::close(descriptor);
            return;
        }
        if (lockedDescriptor(descriptor) < 0) {
            ::close(descriptor);
            return;
        }
        if (isStillAt(descriptor, path)) {
            descriptor_ = descriptor;
            return;
        }
        ::close(descriptor);
    }
}

FileLock::~FileLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

}  // namespace kadenza
