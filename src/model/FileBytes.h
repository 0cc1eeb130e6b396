#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kadenza {

// Why a file's bytes could not be had.
enum class FileBytesProblem {
    none,
    cannotOpen,  // missing, or not permitted
    cannotRead,  // a folder, or a read that failed
    tooLarge,    // more than the limit
};

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    FileBytesProblem problem = FileBytesProblem::none;
    // Why the file could not be opened, as errno gave it.
    int systemError = 0;
};

// The file's bytes, up to `limit`: never more than one byte past the limit is read, so a
// huge file, an endless device or a pipe that never ends costs no more than the limit.
FileBytes readFileBytes(const std::string& path, std::size_t limit);

// The same, with a problem thrown: FileAccessError ("Cannot open file <path>"), or
// std::runtime_error with "Cannot read file <path>" or `tooLargeMessage`.
std::vector<std::uint8_t> fileBytesWithin(const std::string& path, std::size_t limit,
                                          const std::string& tooLargeMessage);

}  // namespace kadenza
