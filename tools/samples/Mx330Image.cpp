#include "samples/Mx330Image.h"

namespace kadenza::samples {

MemoryImage mx330Sample() {
    return MemoryImage();
}

}  // namespace kadenza::samples
