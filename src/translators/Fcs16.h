#pragma once

#include <cstddef>
#include <cstdint>

namespace kadenza {

// The frame check register of HDLC framing: CRC-16 with the reflected polynomial 0x8408,
// started at 0xFFFF, without the final inversion. A frame followed by the complement of its
// register, low byte first, runs to fcs16Residue.
constexpr std::uint16_t fcs16Initial = 0xFFFF;
constexpr std::uint16_t fcs16Residue = 0xF0B8;

std::uint16_t fcs16(const std::uint8_t* bytes, std::size_t length);

}  // namespace kadenza
