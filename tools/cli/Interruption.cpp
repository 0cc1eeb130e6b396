#include "cli/Interruption.h"

#include <csignal>

namespace kadenza::cli {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void onInterrupt(int) {
    requested = 1;
}

}  // namespace

void catchInterruption() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

bool interruptionRequested() {
    return requested != 0;
}

}  // namespace kadenza::cli
