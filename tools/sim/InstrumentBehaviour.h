#pragma once

#include <cstdint>

#include "sim/FaultInjector.h"

namespace kadenza::sim {

// How the simulated instrument behaves on the line, beyond the memory it answers from.
struct InstrumentBehaviour {
    int modelCode = 3;
    // Models 1 and 2 can identify themselves by name instead of by number.
    bool textIdentification = false;
    // Keeps to the line rate of the model's baud instead of answering at once.
    bool paced = false;
    FaultRates faults;
    std::uint32_t seed = 1;
    // Never answers anything, like an instrument switched off.
    bool silent = false;
    // Falls silent once it has moved this many blocks (read replies, streamed frames and
    // write acknowledgements), like an instrument switched off in the middle of a transfer;
    // negative for never.
    int stopAfterBlocks = -1;
};

}  // namespace kadenza::sim
