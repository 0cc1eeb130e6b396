#pragma once

#include <memory>

#include "model/InstrumentItem.h"

namespace kadenza {

// Both generations of the Mx310 store the same kind codes; the older Mx310.1 scales some of
// the voltage and length ranges differently.
enum class Mx310Generation { first, second };

// The item of one Mx310 record from its kind code and signed count, or none for a kind code
// that stands for no measurement.
std::unique_ptr<InstrumentItem> mx310Item(int kind, int count, Mx310Generation generation);

}  // namespace kadenza
