#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kadenza::cli {

// The whole file. Throws FileError when it cannot be opened.
std::vector<std::uint8_t> readRawFile(const std::string& path);

// Replaces the file with the bytes, all or nothing. Throws FileError when it cannot be
// created or written.
void writeRawFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace kadenza::cli
