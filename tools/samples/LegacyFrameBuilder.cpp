#include "samples/LegacyFrameBuilder.h"

#include <algorithm>

#include "translators/LegacyFrame.h"

namespace kadenza::samples {

LegacyFrameBuilder::LegacyFrameBuilder() : bytes_(legacyFrameSize, 0) {
    std::fill_n(bytes_.begin() + legacyHeaderSize, legacyMemorySize, 0xFF);
}

LegacyFrameBuilder& LegacyFrameBuilder::record(int r, int reading, int kind) {
    const int position = legacyHeaderSize + r * legacyRecordSize;
    byte(position, reading & 0xFF);
    byte(position + 1, (reading >> 8) & 0xFF);
    byte(position + 2, kind);
    return *this;
}

LegacyFrameBuilder& LegacyFrameBuilder::byte(int i, int value) {
    bytes_.at(i) = static_cast<std::uint8_t>(value);
    return *this;
}

LegacyFrameBuilder& LegacyFrameBuilder::seal() {
    const std::uint16_t checksum = legacyCrc16(bytes_.data() + legacyHeaderSize, legacyMemorySize);
    byte(legacyChecksumPosition, checksum & 0xFF);
    return byte(legacyChecksumPosition + 1, checksum >> 8);
}

namespace {

// Kind codes of the Mx310.1 with their scales where they differ from the Mx310.2's.
constexpr int insulation500V = 24;
constexpr int insulation1000V = 32;
constexpr int pt100 = 5;
constexpr int voltageVolts = 6;
constexpr int voltageTenths = 7;
constexpr int protectiveHundredths = 13;
constexpr int protectiveTenths = 14;
constexpr int protectiveOhms = 15;
constexpr int lineVoltageVolts = 29;
constexpr int lineVoltageTenths = 30;
constexpr int lengthCentimetres = 37;
constexpr int lengthDecimetres = 38;
constexpr int lengthMetres = 39;
constexpr int lengthMillimetres = 40;
constexpr int overRange = 2000;

}  // namespace

// The memory of an older tester after checking a building site's supply: the mains and the
// 110 V tool supply, the voltage between N and PE, bonding (one PE conductor open), insulation
// at 500 V and 1000 V, cable lengths and the water heater's temperature.
LegacyFrameBuilder legacySample() {
    LegacyFrameBuilder frame;
    int r = 0;
    auto add = [&](int kind, int reading) { frame.record(r++, reading, kind); };
    add(lineVoltageVolts, 231);
    add(lineVoltageTenths, 1103);
    add(voltageVolts, 400);
    add(voltageTenths, 8);
    add(protectiveHundredths, 21);
    add(protectiveTenths, 14);
    add(protectiveOhms, 2150);
    add(insulation500V + 3, 185);
    add(insulation500V + 4, overRange);
    add(insulation500V + 2, 920);
    add(insulation1000V + 3, 640);
    add(lengthMillimetres, 850);
    add(lengthCentimetres, 1245);
    add(lengthDecimetres, 356);
    add(lengthMetres, 48);
    add(pt100, 62);
    return frame.seal();
}

}  // namespace kadenza::samples
