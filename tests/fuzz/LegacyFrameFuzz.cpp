// A legacy frame of any content is checked and decoded; a short input is padded with 0xFF.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzRendering.h"
#include "translators/LegacyFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::array<std::uint8_t, kadenza::legacyFrameSize> frame;
    frame.fill(0xFF);
    std::copy_n(bytes, std::min(size, frame.size()), frame.begin());

    kadenza::legacyFrameIsValid(frame.data());
    kadenza::InstrumentData data;
    kadenza::decodeLegacyFrame(frame.data(), data);
    kadenza::fuzz::renderData(data);
    return 0;
}
