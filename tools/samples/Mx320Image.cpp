#include "samples/Mx320Image.h"

namespace kadenza::samples {

MemoryImage mx320Sample() {
    return MemoryImage();
}

}  // namespace kadenza::samples
