#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The sample memory of an Mx330.
MemoryImage mx330Sample();

}  // namespace kadenza::samples
