#include "translators/Fcs16.h"

#include <array>

namespace kadenza {

namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned value = i;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? (value >> 1) ^ 0x8408 : value >> 1;
        }
        table[i] = static_cast<std::uint16_t>(value);
    }
    return table;
}

constexpr auto table = makeTable();

}  // namespace

std::uint16_t fcs16(const std::uint8_t* bytes, std::size_t length) {
    std::uint16_t fcs = fcs16Initial;
    for (std::size_t i = 0; i < length; ++i) {
        fcs = static_cast<std::uint16_t>((fcs >> 8) ^ table[(fcs ^ bytes[i]) & 0xFF]);
    }
    return fcs;
}

}  // namespace kadenza
