#pragma once

#include <cstdint>

#include "sim/FaultInjector.h"

namespace kadenza::sim {

// Ways an instrument misbehaves on purpose, each at a chosen moment rather than at random,
// so that what the program makes of them can be tried again and again.
struct Misbehaviour {
    // The first answer about this block (a read reply, a streamed frame or a write
    // acknowledgement) comes late; -1 for none.
    int lateBlock = -1;
    // The first this many identification answers come late.
    int lateIdentifications = 0;
    // Every write acknowledgement comes late.
    bool lateAcknowledgements = false;
    // How late a late answer comes.
    int lateMs = 250;
    // One stray byte goes on the line before the first acknowledgement of this block; -1 for
    // none.
    int strayBeforeAcknowledgement = -1;
    // The first write frame of this block never reaches the instrument; -1 for none.
    int lostWrite = -1;
    // Every addressed read is refused, while writes are still taken.
    bool refuseReads = false;
    // Once it has identified itself, the instrument answers nothing more and sends zero bytes
    // at the line rate without end, like a line stuck low.
    bool babble = false;
};

// How the simulated instrument behaves on the line, beyond the memory it answers from.
struct InstrumentBehaviour {
    int modelCode = 3;
    // Models 1 and 2 can identify themselves by name instead of by number.
    bool textIdentification = false;
    // Keeps to the line rate of the model's baud instead of answering at once.
    bool paced = false;
    FaultRates faults;
    std::uint32_t seed = 1;
    Misbehaviour misbehaviour;
    // Never answers anything, like an instrument switched off.
    bool silent = false;
    // Falls silent once it has moved this many blocks (read replies, streamed frames and
    // write acknowledgements), like an instrument switched off in the middle of a transfer;
    // negative for never.
    int stopAfterBlocks = -1;
};

}  // namespace kadenza::sim
