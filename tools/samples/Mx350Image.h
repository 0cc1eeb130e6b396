#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The sample memory of an Mx350.
MemoryImage mx350Sample();

}  // namespace kadenza::samples
