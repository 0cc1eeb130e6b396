#include "samples/Mx340Image.h"

namespace kadenza::samples {

MemoryImage mx340Sample() {
    return MemoryImage();
}

}  // namespace kadenza::samples
