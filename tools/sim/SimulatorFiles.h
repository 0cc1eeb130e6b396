#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatorOptions.h"

namespace kadenza::sim {

// The 8192-byte memory image the options name: a file (a shorter one padded with 0xFF),
// the model's sample, or all 0xFF. Throws FileError for a file that cannot be read or is too
// long, UsageError for a sample of a model that has none.
std::vector<std::uint8_t> instrumentImage(const SimulatorOptions& options);

// The Mx310.1 frame the options name: a file, as it is, or the sample. Throws FileError for
// a file that cannot be read or holds more than a frame.
std::vector<std::uint8_t> legacyFrame(const SimulatorOptions& options);

// Throws FileError when the file cannot be written.
void saveImage(const std::string& path, const std::vector<std::uint8_t>& image);

}  // namespace kadenza::sim
