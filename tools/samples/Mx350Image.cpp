#include "samples/Mx350Image.h"

namespace kadenza::samples {

MemoryImage mx350Sample() {
    return MemoryImage();
}

}  // namespace kadenza::samples
