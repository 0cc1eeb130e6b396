#include "samples/SampleImages.h"

#include "samples/LegacyFrameBuilder.h"
#include "samples/Mx310Image.h"
#include "samples/Mx320Image.h"
#include "samples/Mx330Image.h"
#include "samples/Mx340Image.h"
#include "samples/Mx350Image.h"

namespace kadenza::samples {

std::vector<std::uint8_t> sampleImage(int modelCode) {
    switch (modelCode) {
        case 1:
            return mx340Sample().bytes();
        case 2:
            return mx320Sample().bytes();
        case 3:
            return mx310Sample().bytes();
        case 4:
            return mx330Sample().bytes();
        case 5:
            return mx350Sample().bytes();
        default:
            return {};
    }
}

std::vector<std::uint8_t> sampleLegacyFrame() {
    return legacySample().bytes();
}

}  // namespace kadenza::samples
