#include "translators/LegacyFrame.h"

#include <array>

#include "translators/Mx310Kinds.h"

namespace kadenza {

namespace {

// The table of the most-significant-bit-first CRC-16 with polynomial 0x1021. The Mx310.1
// combines it with the shift of a reflected CRC, so its checksum is no standard CRC.
constexpr std::array<std::uint16_t, 256> crcTable() {
    std::array<std::uint16_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<std::uint16_t>((crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1);
        }
        table[i] = crc;
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> legacyCrcTable = crcTable();

}  // namespace

std::uint16_t legacyCrc16(const std::uint8_t* bytes, std::size_t length) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < length; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ legacyCrcTable[(crc ^ bytes[i]) & 0xFF]);
    }
    return crc;
}

bool legacyFrameIsValid(const std::uint8_t* frame) {
    const int stored = frame[legacyChecksumPosition] | frame[legacyChecksumPosition + 1] << 8;
    return legacyCrc16(frame + legacyHeaderSize, legacyMemorySize) == stored;
}

void decodeLegacyFrame(const std::uint8_t* frame, InstrumentData& data) {
    data.clear();
    // The Mx310.1 has no banks: its whole memory becomes bank 0, without a bank-number item.
    auto bank = std::make_unique<InstrumentBank>(0);
    for (int r = 0; r < legacyRecordCount; ++r) {
        bank->add(decodeLegacyRecord(frame + legacyHeaderSize, r));
    }
    data.add(std::move(bank));
}

// A record is the reading, low byte first, the kind code and a byte that means nothing here.
std::unique_ptr<InstrumentItem> decodeLegacyRecord(const std::uint8_t* memory, int r) {
    if (r < 0 || r >= legacyRecordCount) {
        return nullptr;
    }
    const std::uint8_t* record = memory + r * legacyRecordSize;
    const auto reading = static_cast<std::int16_t>(record[0] | record[1] << 8);
    return mx310Item(record[2], reading, Mx310Generation::first);
}

}  // namespace kadenza
