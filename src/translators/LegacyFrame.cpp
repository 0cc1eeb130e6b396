#include "translators/LegacyFrame.h"

namespace kadenza {

std::uint16_t legacyCrc16(const std::uint8_t* /*bytes*/, std::size_t /*length*/) {
    return 0;
}

bool legacyFrameIsValid(const std::uint8_t* /*frame*/) {
    return false;
}

void decodeLegacyFrame(const std::uint8_t* /*frame*/, InstrumentData& data) {
    data.clear();
}

std::unique_ptr<InstrumentItem> decodeLegacyRecord(const std::uint8_t* /*memory*/, int /*r*/) {
    return nullptr;
}

}  // namespace kadenza
