#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The sample memory of an Mx320.
MemoryImage mx320Sample();

}  // namespace kadenza::samples
