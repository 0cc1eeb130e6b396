// A .tso file of any content is opened, and whatever it yields is shown and saved again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzRendering.h"
#include "model/NativeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    kadenza::InstrumentData data;
    if (kadenza::openNativeBytes(std::string(reinterpret_cast<const char*>(bytes), size), data)) {
        kadenza::fuzz::renderData(data);
    }
    return 0;
}
