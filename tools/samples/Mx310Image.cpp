#include "samples/Mx310Image.h"

namespace kadenza::samples {

MemoryImage mx310Sample() {
    return MemoryImage();
}

}  // namespace kadenza::samples
