#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/CliError.h"

namespace kadenza::cli {

// The whole file, which holds at most `limit` bytes; no more than one byte past the limit is
// read. Throws FileError when it cannot be opened or read, and `tooLarge` when it holds more.
std::vector<std::uint8_t> readRawFile(const std::string& path, std::size_t limit,
                                      const FileError& tooLarge);

// Writes the bytes to the file ("-": standard output) as an OutputFile does. Throws FileError
// when it cannot be created or written.
void writeRawFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace kadenza::cli
