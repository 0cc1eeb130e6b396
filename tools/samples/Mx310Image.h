#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The sample memory of an Mx310.
MemoryImage mx310Sample();

}  // namespace kadenza::samples
