#pragma once

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The sample memory of an Mx340.
MemoryImage mx340Sample();

}  // namespace kadenza::samples
