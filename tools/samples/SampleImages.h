#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::samples {

// A memory image of the model with this code, as after an inspection: every kind of record
// the model knows, with believable readings, and its setup area. Empty for an unknown code.
std::vector<std::uint8_t> sampleImage(int modelCode);

// The 532 bytes an Mx310.1 sends after its start byte, with a valid checksum.
std::vector<std::uint8_t> sampleLegacyFrame();

}  // namespace kadenza::samples
