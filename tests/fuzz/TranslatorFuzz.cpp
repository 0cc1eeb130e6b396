// A memory image of any content, for the model the first byte names, is decoded as data and
// as settings, shown, and its settings encoded again.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzRendering.h"
#include "translators/TranslatorFactory.h"

namespace {

constexpr int modelCount = 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    auto translator = kadenza::createTranslator(bytes[0] % modelCount + 1);
    const int imageBytes = static_cast<int>(std::min<std::size_t>(size - 1, kadenza::imageSize));
    translator->copyIn(bytes + 1, 0, imageBytes);

    kadenza::InstrumentData data;
    translator->decodeData(data);
    kadenza::fuzz::renderData(data);

    kadenza::InstrumentSetup setup;
    translator->decodeSetup(setup);
    kadenza::fuzz::renderSetup(setup);
    translator->encodeSetup(setup);
    return 0;
}
