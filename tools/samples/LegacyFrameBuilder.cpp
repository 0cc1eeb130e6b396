#include "samples/LegacyFrameBuilder.h"

#include "translators/LegacyFrame.h"

namespace kadenza::samples {

LegacyFrameBuilder::LegacyFrameBuilder() : bytes_(legacyFrameSize, 0) {}

LegacyFrameBuilder legacySample() {
    return LegacyFrameBuilder();
}

}  // namespace kadenza::samples
