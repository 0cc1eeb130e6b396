#include "cli/Interruption.h"

#include <csignal>

#include "model/TemporaryFiles.h"

namespace kadenza::cli {

namespace {

volatile std::sig_atomic_t requested = 0;

// The first request lets the transfer stop at its next wait and report it; a second one ends
// the tool at once, the way the signal ends any program.
extern "C" void onInterrupt(int signal) {
    if (requested != 0) {
        endBySignal(signal);
    }
    requested = 1;
}

}  // namespace

void catchInterruption() {
    for (int signal : endingSignals) {
        catchUnlessIgnored(signal, onInterrupt);
    }
}

bool interruptionRequested() {
    return requested != 0;
}

}  // namespace kadenza::cli
