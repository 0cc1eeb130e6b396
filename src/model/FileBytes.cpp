#include "model/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "model/FileAccessError.h"

namespace kadenza {

namespace {

// Reads until the end of the file or until more than `limit` bytes arrived; false when a
// read failed.
bool readUpTo(int descriptor, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t chunk = 64 * 1024;
    for (;;) {
        const std::size_t size = bytes.size();
        if (size > limit) {
            return true;
        }
        const std::size_t wanted = std::min(chunk, limit + 1 - size);
        bytes.resize(size + wanted);
        const ssize_t got = ::read(descriptor, bytes.data() + size, wanted);
        if (got < 0 && errno == EINTR) {
            bytes.resize(size);
            continue;
        }
        bytes.resize(size + static_cast<std::size_t>(got > 0 ? got : 0));
        if (got <= 0) {
            return got == 0;
        }
    }
}

}  // namespace

FileBytes readFileBytes(const std::string& path, std::size_t limit) {
    FileBytes file;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        file.problem = FileBytesProblem::cannotOpen;
        file.systemError = errno;
        return file;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode) ||
        !readUpTo(descriptor, limit, file.bytes)) {
        file.problem = FileBytesProblem::cannotRead;
    } else if (file.bytes.size() > limit) {
        file.problem = FileBytesProblem::tooLarge;
    }
    ::close(descriptor);
    if (file.problem != FileBytesProblem::none) {
        file.bytes.clear();
    }
    return file;
}

std::vector<std::uint8_t> fileBytesWithin(const std::string& path, std::size_t limit,
                                          const std::string& tooLargeMessage) {
    FileBytes file = readFileBytes(path, limit);
    switch (file.problem) {
        case FileBytesProblem::none:
            return std::move(file.bytes);
        case FileBytesProblem::cannotOpen:
            throw FileAccessError(FileAccessError::Action::open, path, file.systemError);
        case FileBytesProblem::cannotRead:
            break;
        case FileBytesProblem::tooLarge:
            throw std::runtime_error(tooLargeMessage);
    }
    throw std::runtime_error("Cannot read file " + path);
}

}  // namespace kadenza
